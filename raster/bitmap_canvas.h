// The canvas of a bitmap. It makes its own memory context, with the bitmap's
// storage selected, at its first drawing call, and gives it up whenever the
// storage is rebuilt or freed.
#pragma once

#include "platform/win32.h"
#include "raster/canvas.h"

class TBitmap;

class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
  ~TBitmapCanvas() override;

  // Both take the canvas's lock and inside it the registry's
  // (BitmapContexts).
  void MakeContext();
  void DropContext();

 protected:
  void CreateContext() override { MakeContext(); }
  void BeforeChange() override;
  void AfterChange() override;

 private:
  TBitmap& bitmap_;
  HGDIOBJ previous_bitmap_ = nullptr;
};
