// Over the software platform: a soft::WindowBase in the handle table whose
// client area is plain memory, so no display is needed.
#include <algorithm>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/surface.h"
#include "platform/soft/graphics/window_seams.h"
#include "support/fake_window.h"

// The client area: 4-byte top-down pixels, locked while a context draws.
class FakeWindow::Target : public soft::DeviceTarget {
 public:
  Target(int width, int height)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height * 4), 0) {}
  soft::Surface Lock() override {
    mutex_.lock();
    return {pixels_.data(), width_, height_, width_ * 4, 4};
  }
  void Unlock() override { mutex_.unlock(); }
  // Runs `use` on the pixels while no context draws.
  template <class Use>
  auto With(Use use) {
    std::lock_guard lock(mutex_);
    return use(pixels_);
  }
  int width() const { return width_; }

 private:
  std::mutex mutex_;
  const int width_, height_;
  std::vector<std::uint8_t> pixels_;
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

int FakeWindow::Pixel(int x, int y) const {
  return target_->With([&](auto& pixels) { return pixels[static_cast<std::size_t>((y * target_->width() + x) * 4)]; });
}

void FakeWindow::Fill(std::uint8_t value) {
  target_->With([&](auto& pixels) { std::fill(pixels.begin(), pixels.end(), value); });
}

bool FakeWindow::AllPixelsAre(std::uint8_t value) const {
  return target_->With([&](auto& pixels) {
    return std::all_of(pixels.begin(), pixels.end(), [&](std::uint8_t byte) { return byte == value; });
  });
}

void FakeWindow::Destroy() {
  if (handle_ != nullptr) soft::Remove(handle_);
  handle_ = nullptr;
}
