#include "raster/bitmap_image.h"

TBitmapImage::~TBitmapImage() {
  if (handle_ != nullptr) DeleteObject(handle_);
}

int TBitmapImage::RefCount() const {
  TLockScope scope(module_->ImageLock);
  return ref_count_;
}

void TBitmapImage::Release() {
  bool last = false;
  {
    TLockScope scope(module_->ImageLock);
    last = --ref_count_ == 0;
  }
  if (last) delete this;
}
