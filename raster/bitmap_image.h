// The pixel storage behind a bitmap: a platform DIB section and its
// description, counted so that bitmaps could share it.
#pragma once

#include "platform/win32.h"

class TBitmapImage {
 public:
  // An image without storage, counted once.
  explicit TBitmapImage(const DIBSECTION& description = {}) : description_(description) {}
  TBitmapImage(const TBitmapImage&) = delete;
  TBitmapImage& operator=(const TBitmapImage&) = delete;

  HBITMAP Handle() const { return handle_; }
  // Built images are always DIB sections, so the section is the bitmap.
  HBITMAP DibHandle() const { return handle_; }
  HPALETTE Palette() const { return nullptr; }
  void SetHandle(HBITMAP handle) { handle_ = handle; }
  DIBSECTION& Description() { return description_; }
  const DIBSECTION& Description() const { return description_; }

  int RefCount() const;
  void Reference();
  // The last release deletes the image and its platform bitmap.
  void Release();

 private:
  ~TBitmapImage();

  int ref_count_ = 1;
  HBITMAP handle_ = nullptr;
  DIBSECTION description_;
};
