// The pixel storage behind a bitmap: a platform DIB section and its
// description, counted so that bitmaps could share it.
#pragma once

#include <memory>

#include "platform/win32.h"
#include "raster/raster_module.h"

class TBitmapImage {
 public:
  // An image without storage, counted once; its count is guarded by the
  // module's ImageLock.
  explicit TBitmapImage(std::shared_ptr<TRasterModule> module, const DIBSECTION& description = {})
      : module_(std::move(module)), description_(description) {}
  TBitmapImage(const TBitmapImage&) = delete;
  TBitmapImage& operator=(const TBitmapImage&) = delete;

  HBITMAP Handle() const { return handle_; }
  void SetHandle(HBITMAP handle) { handle_ = handle; }
  DIBSECTION& Description() { return description_; }
  const DIBSECTION& Description() const { return description_; }

  int RefCount() const;
  // The last release deletes the image and its platform bitmap.
  void Release();

 private:
  ~TBitmapImage();

  const std::shared_ptr<TRasterModule> module_;
  int ref_count_ = 1;
  HBITMAP handle_ = nullptr;
  DIBSECTION description_;
};
