// The off-screen frame: a 24-bit device-independent bitmap whose pixel rows
// are written directly and whose canvas draws on it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/win32.h"
#include "raster/bitmap_canvas.h"
#include "raster/bitmap_image.h"

class TBitmap {
 public:
  TBitmap();  // empty: no storage, 0 by 0
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // Only 24 is accepted; setting it again does nothing.
  void SetPixelDepth(int bits);
  int PixelDepth() const { return image_->Description().dsBmih.biBitCount; }
  int Width() const { return image_->Description().dsBm.bmWidth; }
  int Height() const { return std::abs(image_->Description().dsBm.bmHeight); }
  // Each rebuilds the storage, keeping the old pixels at the top-left.
  void SetWidth(int width);
  void SetHeight(int height);

  // Row y of the picture (0 is the top), 3 bytes per pixel in the order
  // blue, green, red; valid until the storage is rebuilt or freed.
  std::uint8_t* RowPixels(int y);

  TBitmapCanvas& Canvas();
  bool Empty() const { return Width() == 0 || Height() == 0; }
  HBITMAP Handle() const { return image_->Handle(); }
  bool Modified() const { return modified_; }
  const TBitmapImage& Image() const { return *image_; }

  // The canvas runs these around every drawing operation.
  void BeforeChange();
  void Changed();

 private:
  void Rebuild(DIBSECTION description);

  const std::shared_ptr<TRasterModule> module_;
  TBitmapImage* image_;  // counted, released by the bitmap
  std::unique_ptr<TBitmapCanvas> canvas_;
  bool modified_ = false;
};
