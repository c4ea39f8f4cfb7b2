// Over the real platform: a borderless window of the requested client size
// on the test's display, read back pixel by pixel through the probe.
#include "support/fake_window.h"
#include "support/platform_probe.h"

class FakeWindow::Target {
 public:
  Target(int client_width, int client_height) : width(client_width), height(client_height) {}
  const int width, height;
};

FakeWindow::FakeWindow(int client_width, int client_height)
    : target_(std::make_shared<Target>(client_width, client_height)) {
  static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "NosignalTestWindow";
    return RegisterClassA(&window_class) != 0;
  }();
  (void)registered;
  handle_ = CreateWindowExA(0, "NosignalTestWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, client_width, client_height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

FakeWindow::~FakeWindow() { Destroy(); }

int FakeWindow::Pixel(int x, int y) const { return static_cast<int>(probe::ClientPixel(handle_, x, y) >> 16 & 0xFF); }

void FakeWindow::Fill(std::uint8_t value) {
  HDC dc = GetDCEx(handle_, nullptr, DCX_CACHE);
  HBRUSH brush = CreateSolidBrush(RGB(value, value, value));
  const RECT all{0, 0, target_->width, target_->height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(handle_, dc);
}

bool FakeWindow::AllPixelsAre(std::uint8_t value) const {
  for (int y = 0; y < target_->height; ++y) {
    for (int x = 0; x < target_->width; ++x) {
      if (probe::ClientPixel(handle_, x, y) != RGB(value, value, value)) return false;
    }
  }
  return true;
}

void FakeWindow::Destroy() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  handle_ = nullptr;
}
