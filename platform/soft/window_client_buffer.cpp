#include "platform/soft/window_client_buffer.h"

#include <algorithm>
#include <cstring>

#include "platform/soft/window_display.h"

namespace soft {

ClientBuffer::ClientBuffer(HWND window, int width, int height)
    : window_(window),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(PixelMemory::Allocate(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4,
                                    PixelMemory::Reuse::Return)) {}

Surface ClientBuffer::Lock() {
  mutex_.lock();
  Surface surface;
  // Without memory (none left, or an empty window) nothing is drawn.
  surface.bits = pixels_.data();
  surface.width = pixels_.empty() ? 0 : width_;
  surface.height = pixels_.empty() ? 0 : height_;
  surface.stride = width_ * 4;
  surface.bytes_per_pixel = 4;
  surface.bottom_up = false;
  return surface;
}

void ClientBuffer::Unlock() { mutex_.unlock(); }

void ClientBuffer::Released() {
  // One request at a time: twenty releases before the display thread gets
  // round to it still make one presentation.
  if (!present_requested_.exchange(true)) display::RequestPresent(window_);
}

void ClientBuffer::CopyFrom(ClientBuffer& other) {
  std::scoped_lock lock(mutex_, other.mutex_);
  if (pixels_.empty() || other.pixels_.empty()) return;
  const int width = std::min(width_, other.width_);
  const int height = std::min(height_, other.height_);
  for (int y = 0; y < height; ++y) {
    std::memcpy(pixels_.data() + static_cast<std::size_t>(y) * width_ * 4,
                other.pixels_.data() + static_cast<std::size_t>(y) * other.width_ * 4,
                static_cast<std::size_t>(width) * 4);
  }
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
