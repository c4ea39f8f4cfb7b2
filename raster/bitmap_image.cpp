#include "raster/bitmap_image.h"

#include "raster/raster_module.h"

TBitmapImage::~TBitmapImage() {
  if (handle_ != nullptr) DeleteObject(handle_);
}

int TBitmapImage::RefCount() const {
  TLockScope scope(*ImageLock);
  return ref_count_;
}

void TBitmapImage::Reference() {
  TLockScope scope(*ImageLock);
  ++ref_count_;
}

void TBitmapImage::Release() {
  bool last = false;
  {
    TLockScope scope(*ImageLock);
    last = --ref_count_ == 0;
  }
  if (last) delete this;
}
