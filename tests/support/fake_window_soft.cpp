// Over the software platform: a soft::WindowBase in the handle table whose
// client area is plain memory, so no display is needed.
#include "support/fake_window.h"

#include <algorithm>

#include "platform/soft/graphics/objects.h"

class FakeWindow::Target : public soft::DeviceTarget {
 public:
  Target(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height * 4), 0) {}

  soft::Surface Lock() override {
    mutex_.lock();
    soft::Surface surface;
    surface.bits = pixels_.data();
    surface.width = width_;
    surface.height = height_;
    surface.stride = width_ * 4;
    surface.bytes_per_pixel = 4;
    surface.bottom_up = false;
    return surface;
  }
  void Unlock() override { mutex_.unlock(); }
  void Released() override {
    std::lock_guard lock(mutex_);
    ++presented_;
  }

  int Presented() {
    std::lock_guard lock(mutex_);
    return presented_;
  }
  int Pixel(int x, int y) {
    std::lock_guard lock(mutex_);
    return pixels_[static_cast<std::size_t>((y * width_ + x) * 4)];
  }
  void Fill(std::uint8_t value) {
    std::lock_guard lock(mutex_);
    std::fill(pixels_.begin(), pixels_.end(), value);
  }
  bool AllPixelsAre(std::uint8_t value) {
    std::lock_guard lock(mutex_);
    return std::all_of(pixels_.begin(), pixels_.end(), [value](std::uint8_t byte) { return byte == value; });
  }

 private:
  std::mutex mutex_;
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
  int presented_ = 0;
};

class FakeWindow::Window : public soft::WindowBase {
 public:
  explicit Window(std::shared_ptr<Target> target) : target_(std::move(target)) {}
  std::shared_ptr<soft::DeviceTarget> ClientTarget() override { return target_; }

 private:
  std::shared_ptr<Target> target_;
};

FakeWindow::FakeWindow(int client_width, int client_height)
    : target_(std::make_shared<Target>(client_width, client_height)),
      handle_(static_cast<HWND>(soft::Insert(std::make_unique<Window>(target_)))) {}

FakeWindow::~FakeWindow() { Destroy(); }

int FakeWindow::Pixel(int x, int y) const { return target_->Pixel(x, y); }

void FakeWindow::Fill(std::uint8_t value) { target_->Fill(value); }

bool FakeWindow::AllPixelsAre(std::uint8_t value) const { return target_->AllPixelsAre(value); }

void FakeWindow::Destroy() {
  if (handle_ != nullptr) soft::Remove(handle_);
  handle_ = nullptr;
}
