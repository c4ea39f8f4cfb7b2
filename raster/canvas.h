// A surface to draw on through a platform drawing context, with a font, a pen
// and a brush. The three are selected into the context lazily, by the first
// operation that needs each, and deselected the moment they change.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/win32.h"
#include "raster/brush.h"
#include "raster/critical_section.h"
#include "raster/font.h"
#include "raster/pen.h"
#include "raster/raster_module.h"

class TBitmap;

class TCanvas {
 public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TFont& Font() { return *font_; }
  TPen& Pen() { return *pen_; }
  TBrush& Brush() { return *brush_; }

  void MovePenTo(int x, int y);
  void DrawLineTo(int x, int y);  // the end point itself is not drawn
  void DrawEllipse(int x1, int y1, int x2, int y2);
  void PaintText(int x, int y, std::string_view text);  // (x, y): top-left of the text cell
  SIZE MeasureText(std::string_view text);
  int MeasureTextWidth(std::string_view text) { return MeasureText(text).cx; }
  int MeasureTextHeight(std::string_view text) { return MeasureText(text).cy; }
  RECT ClipBounds();
  void PaintBitmap(int x, int y, TBitmap* bitmap);

  // Gives the canvas a context made elsewhere, or none. The canvas never
  // releases or deletes a context it did not make.
  void AttachContext(HDC dc);
  HDC Context() const { return dc_; }
  DWORD CopyMode() const { return copy_mode_; }
  // Taken while a description of its font, pen or brush changes and while
  // a bitmap canvas makes or drops its context; it comes before every lock
  // of the module (raster_module.h).
  TCriticalSection& CanvasLock() { return canvas_lock_; }

 protected:
  enum TReadyFlag : std::uint8_t { rfContext = 1, rfFont = 2, rfPen = 4, rfBrush = 8 };
  static constexpr std::uint8_t rfAll = rfContext | rfFont | rfPen | rfBrush;

  // Selects what the next platform call needs; raises when there is no
  // context to be had.
  void EnsureReady(std::uint8_t flags);
  TRasterModule& Module() const { return *module_; }
  // A canvas that can make its own context does so here.
  virtual void CreateContext() {}
  // Run around every operation that changes the pixels.
  virtual void BeforeChange() {}
  virtual void AfterChange() {}

 private:
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void Deselect(TReadyFlag flag, HGDIOBJ neutral);
  void DeselectAll();
  void ChooseStretchMode(int image_depth);

  // The module the canvas and its objects were made under.
  const std::shared_ptr<TRasterModule> module_;
  HDC dc_ = nullptr;
  std::uint8_t ready_ = 0;
  TCriticalSection canvas_lock_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  POINT saved_position_{0, 0};
  DWORD copy_mode_ = SRCCOPY;
  UINT text_flags_ = 0;  // right-to-left reading is never asked for
};
