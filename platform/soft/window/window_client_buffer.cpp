#include "platform/soft/window/window_client_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/soft/window/window_display.h"

namespace soft {
namespace {

// The top-left part that both pictures have, from source to dest.
void CopyRows(const Surface& dest, const Surface& source) {
  if (dest.Empty() || source.Empty()) return;
  const int width = std::min(dest.width, source.width);
  const int height = std::min(dest.height, source.height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(dest.Row(y), source.Row(y), static_cast<std::size_t>(width) * 4);
  }
}

}  // namespace

ClientBuffer::ClientBuffer(HWND window, int width, int height)
    : window_(window), width_(std::max(width, 0)), height_(std::max(height, 0)) {
  MoveOutLocked(false);  // nobody else knows the buffer yet
}

Surface ClientBuffer::Lock() {
  mutex_.lock();
  return PixelsLocked();
}

void ClientBuffer::Unlock() { mutex_.unlock(); }

void ClientBuffer::Released() {
  // One request at a time: twenty releases before the display thread gets
  // round to it still make one presentation.
  if (!present_requested_.exchange(true)) display::RequestPresent(window_);
}

Surface ClientBuffer::PixelsLocked() const {
  Surface surface;
  surface.bits = bits_;
  surface.width = bits_ != nullptr ? width_ : 0;
  surface.height = bits_ != nullptr ? height_ : 0;
  surface.stride = stride_;
  surface.bytes_per_pixel = 4;
  return surface;
}

void ClientBuffer::CopyFrom(ClientBuffer& other) {
  std::scoped_lock lock(mutex_, other.mutex_);
  CopyRows(PixelsLocked(), other.PixelsLocked());
}

void ClientBuffer::MoveIntoLocked(std::uint8_t* pixels, int stride) {
  Surface lent = PixelsLocked();
  lent.bits = pixels;
  lent.stride = stride;
  CopyRows(lent, PixelsLocked());
  own_ = PixelMemory();
  bits_ = pixels;
  stride_ = stride;
  lent_ = true;
}

void ClientBuffer::MoveOutLocked(bool keep_picture) {
  PixelMemory own = PixelMemory::Allocate(
      static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, PixelMemory::Reuse::Return);
  if (keep_picture && !own.empty()) {
    Surface fresh = PixelsLocked();
    fresh.bits = own.data();
    fresh.stride = width_ * 4;
    CopyRows(fresh, PixelsLocked());
  }
  own_ = std::move(own);
  bits_ = own_.data();
  stride_ = width_ * 4;
  lent_ = false;
}

void ClientBuffer::Abandon() {
  std::lock_guard lock(mutex_);
  if (!lent_) return;
  bits_ = nullptr;
  lent_ = false;
}

void FillSurface(const Surface& surface, RECT area, COLORREF color) {
  if (surface.Empty()) return;
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min<LONG>(area.right, surface.width);
  area.bottom = std::min<LONG>(area.bottom, surface.height);
  const std::uint8_t blue = (color >> 16) & 0xFF;
  const std::uint8_t green = (color >> 8) & 0xFF;
  const std::uint8_t red = color & 0xFF;
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* pixel = surface.Row(y) + static_cast<std::ptrdiff_t>(area.left) * surface.bytes_per_pixel;
    for (int x = area.left; x < area.right; ++x, pixel += surface.bytes_per_pixel) {
      pixel[0] = blue;
      pixel[1] = green;
      pixel[2] = red;
    }
  }
}

}  // namespace soft
