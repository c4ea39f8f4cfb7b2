// The pixels of a window's client area, as drawn through its contexts and
// put on the screen by the display thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/soft/objects.h"
#include "platform/soft/pixel_memory.h"

namespace soft {

// 4 bytes a pixel (blue, green, red, unused), top row first. A resize makes
// a new buffer, so a context still holding this one keeps drawing into
// memory that nobody shows any more, which is harmless.
class ClientBuffer final : public DeviceTarget {
 public:
  ClientBuffer(HWND window, int width, int height);

  Surface Lock() override;
  void Unlock() override;
  // A context was released: whatever it drew should reach the screen.
  void Released() override;

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Hands the pixels to `read(bits, stride, width, height)` under the lock.
  template <class Read>
  void ReadPixels(Read read) {
    std::lock_guard lock(mutex_);
    const bool none = pixels_.empty();
    read(pixels_.data(), width_ * 4, none ? 0 : width_, none ? 0 : height_);
  }
  void CopyFrom(ClientBuffer& other);
  // Clears the request that Released made; true if there was one.
  bool TakePresentRequest() { return present_requested_.exchange(false); }

 private:
  const HWND window_;
  const int width_;
  const int height_;
  PixelMemory pixels_;  // zero when new: black until something is drawn
  std::mutex mutex_;
  std::atomic<bool> present_requested_{false};
};

// Fills the part of `area` that lies on the surface with one colour.
void FillSurface(const Surface& surface, RECT area, COLORREF color);

}  // namespace soft
