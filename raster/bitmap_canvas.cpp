#include "raster/bitmap_canvas.h"

#include "raster/bitmap.h"
#include "raster/raster_module.h"

TBitmapCanvas::~TBitmapCanvas() { DropContext(); }

void TBitmapCanvas::MakeContext() {
  TLockScope scope(CanvasLock());
  if (Context() != nullptr) return;
  HBITMAP image = bitmap_.Handle();
  // A platform bitmap can be selected into one context only.
  if (image != nullptr) Module().BitmapContexts.DropHolding(image, this);
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return;  // the caller reports that drawing is not possible
  previous_bitmap_ = image != nullptr ? SelectObject(dc, image) : nullptr;
  AttachContext(dc);
  Module().BitmapContexts.Add(this, image);
}

void TBitmapCanvas::DropContext() {
  TLockScope scope(CanvasLock());
  HDC dc = Context();
  if (dc == nullptr) return;
  if (previous_bitmap_ != nullptr) SelectObject(dc, previous_bitmap_);
  AttachContext(nullptr);
  DeleteDC(dc);
  previous_bitmap_ = nullptr;
  Module().BitmapContexts.Remove(this);
}

void TBitmapCanvas::BeforeChange() { bitmap_.BeforeChange(); }

void TBitmapCanvas::AfterChange() { bitmap_.Changed(); }
