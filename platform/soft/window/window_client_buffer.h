// The pixels of a window's client area, as drawn through its contexts and
// put on the screen by the display thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/soft/graphics/pixel_memory.h"
#include "platform/soft/graphics/surface.h"
#include "platform/soft/graphics/window_seams.h"

namespace soft {

// 4 bytes a pixel (blue, green, red, unused), top row first. A resize makes
// a new buffer, so a context still holding this one keeps drawing into
// memory that nobody shows any more, which is harmless.
//
// The pixels live in the buffer's own memory until the display lends the
// window's memory to it; from then on contexts draw straight into what the
// display shows, and there is one copy of the window's pixels, not two.
// Drawing and presenting both hold the buffer's lock, so the display never
// shows or frees that memory while a context draws into it.
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
    const Surface pixels = PixelsLocked();
    read(pixels.bits, pixels.stride, pixels.width, pixels.height);
  }
  void CopyFrom(ClientBuffer& other);
  // Clears the request that Released made; true if there was one.
  bool TakePresentRequest() { return present_requested_.exchange(false); }

  // Runs `work()` with the buffer locked: nothing is drawn meanwhile.
  template <class Work>
  auto WhileLocked(Work work) {
    std::lock_guard lock(mutex_);
    return work();
  }
  // The rest is for the display thread, with the lock held (WhileLocked).
  // The pixels; empty (width 0) when there are none.
  Surface PixelsLocked() const;
  // Draws into `pixels` (stride bytes a row, width x height) from now on:
  // the picture so far goes there and the buffer's own memory is freed.
  void MoveIntoLocked(std::uint8_t* pixels, int stride);
  // Back to memory of its own: with the picture while the lent memory is
  // still there, black when it is gone already.
  void MoveOutLocked(bool keep_picture);
  // The lent memory is going and this buffer is shown no more: from now on
  // it draws nothing. Takes the lock itself.
  void Abandon();

 private:
  const HWND window_;
  const int width_;
  const int height_;
  PixelMemory own_;  // zero when new: black until something is drawn
  std::uint8_t* bits_ = nullptr;  // own_ or the lent memory; none: nothing is drawn
  int stride_ = 0;
  bool lent_ = false;
  mutable std::mutex mutex_;
  std::atomic<bool> present_requested_{false};
};

// Fills the part of `area` that lies on the surface with one colour.
void FillSurface(const Surface& surface, RECT area, COLORREF color);

}  // namespace soft
