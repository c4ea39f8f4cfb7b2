// Over the real platform: a borderless window of the requested client size,
// read back pixel by pixel through the probe; the window holds the pixels.
#include "support/fake_window.h"
#include "support/platform_probe.h"

FakeWindow::FakeWindow(int client_width, int client_height) {
  [[maybe_unused]] static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "NosignalTestWindow";
    return RegisterClassA(&window_class) != 0;
  }();
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
  RECT all{};
  GetClientRect(handle_, &all);
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(handle_, dc);
}

bool FakeWindow::AllPixelsAre(std::uint8_t value) const {
  RECT client{};
  GetClientRect(handle_, &client);
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (probe::ClientPixel(handle_, x, y) != RGB(value, value, value)) return false;
    }
  }
  return true;
}

void FakeWindow::Destroy() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  handle_ = nullptr;
}
