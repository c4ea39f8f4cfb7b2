#include "raster/bitmap.h"

#include "raster/bitmap_storage.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"

namespace {

constexpr int kSupportedDepth = 24;

void CheckSize(int size) {
  if (size < 0) throw EInvalidGraphicOperation("Bitmap size cannot be negative");
}

std::ptrdiff_t Stride(const BITMAPINFOHEADER& header) {
  const std::ptrdiff_t bits = static_cast<std::ptrdiff_t>(header.biWidth) * header.biBitCount;
  return (bits + 31) / 32 * 4;
}

}  // namespace

TBitmap::TBitmap() : module_(RasterModule()), image_(new TBitmapImage(module_)) {}

TBitmap::~TBitmap() {
  if (canvas_) canvas_->DropContext();
  image_->Release();
  canvas_.reset();
}

void TBitmap::SetPixelDepth(int bits) {
  if (bits != kSupportedDepth) {
    throw EInvalidGraphicOperation("Only 24-bit images are supported");
  }
  const DIBSECTION& current = image_->Description();
  if (current.dsBmih.biSize == sizeof(BITMAPINFOHEADER) && current.dsBmih.biBitCount == bits) {
    return;
  }
  DIBSECTION description{};
  description.dsBm.bmWidth = current.dsBm.bmWidth;
  description.dsBm.bmHeight = current.dsBm.bmHeight;
  description.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
  description.dsBmih.biWidth = current.dsBm.bmWidth;
  description.dsBmih.biHeight = current.dsBm.bmHeight;
  description.dsBmih.biPlanes = 1;
  description.dsBmih.biBitCount = static_cast<WORD>(bits);
  description.dsBmih.biCompression = BI_RGB;
  Rebuild(description);
}

void TBitmap::SetWidth(int width) {
  CheckSize(width);
  if (width == Width()) return;
  DIBSECTION description = image_->Description();
  description.dsBm.bmWidth = width;
  description.dsBmih.biWidth = width;
  Rebuild(description);
}

void TBitmap::SetHeight(int height) {
  CheckSize(height);
  if (height == Height()) return;
  DIBSECTION description = image_->Description();
  description.dsBm.bmHeight = height;
  description.dsBmih.biHeight = height;
  Rebuild(description);
}

void TBitmap::Rebuild(DIBSECTION description) {
  // The old bitmap must not stay selected in a context while it is copied
  // and released.
  if (canvas_) canvas_->DropContext();
  auto* image = new TBitmapImage(module_, description);
  try {
    image->SetHandle(BuildSectionStorage(image->Description(), image_->Handle(), canvas_.get()));
  } catch (...) {
    image->Release();
    throw;
  }
  TBitmapImage* old = nullptr;
  {
    TLockScope scope(module_->ImageLock);
    old = image_;
    image_ = image;
  }
  old->Release();
}

std::uint8_t* TBitmap::RowPixels(int y) {
  BeforeChange();
  if (y < 0 || y >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
  // Drawing the platform still holds must land before the caller's writes.
  GdiFlush();
  const DIBSECTION& description = image_->Description();
  auto* base = static_cast<std::uint8_t*>(description.dsBm.bmBits);
  if (base == nullptr) return nullptr;
  // A positive height is a bottom-up section: its top row is the last in memory.
  const std::ptrdiff_t stride = Stride(description.dsBmih);
  const std::ptrdiff_t step = description.dsBmih.biHeight > 0 ? -stride : stride;
  std::uint8_t* const top = step < 0 ? base + (Height() - 1) * stride : base;
  return top + y * step;
}

TBitmapCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return *canvas_;
}

void TBitmap::BeforeChange() {
  if (image_->RefCount() > 1) Rebuild(image_->Description());
  image_->Description().dsBmih.biClrUsed = 0;
  image_->Description().dsBmih.biClrImportant = 0;
}

void TBitmap::Changed() { modified_ = true; }
