// Over the real platform: a borderless window of the requested client size
// on the test's display. Its pixels are read back through a copy into a
// 32-bit section.
#include <algorithm>
#include <vector>

#include "support/fake_window.h"

namespace {

constexpr const char* kClassName = "NosignalTestWindow";

void RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClassName;
    return RegisterClassA(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

// The client area's pixels, copied out of the window's context.
class FakeWindow::Target {
 public:
  Target(int client_width, int client_height) : width(client_width), height(client_height) {}
  std::vector<std::uint32_t> Read(HWND window) const {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC source = GetDCEx(window, nullptr, DCX_CACHE);
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.data());
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return pixels;
  }
  const int width;
  const int height;
};

FakeWindow::FakeWindow(int client_width, int client_height)
    : target_(std::make_shared<Target>(client_width, client_height)) {
  RegisterOnce();
  handle_ = CreateWindowExA(0, kClassName, kClassName, WS_POPUP | WS_VISIBLE, 0, 0, client_width, client_height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

FakeWindow::~FakeWindow() { Destroy(); }

int FakeWindow::Pixel(int x, int y) const {
  return static_cast<int>(target_->Read(handle_)[static_cast<std::size_t>(y * target_->width + x)] & 0xFF);
}

void FakeWindow::Fill(std::uint8_t value) {
  HDC dc = GetDCEx(handle_, nullptr, DCX_CACHE);
  HBRUSH brush = CreateSolidBrush(RGB(value, value, value));
  const RECT all{0, 0, target_->width, target_->height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(handle_, dc);
}

bool FakeWindow::AllPixelsAre(std::uint8_t value) const {
  const std::uint32_t grey = value * 0x010101u;
  const std::vector<std::uint32_t> pixels = target_->Read(handle_);
  return std::all_of(pixels.begin(), pixels.end(), [grey](std::uint32_t pixel) { return (pixel & 0xFFFFFF) == grey; });
}

void FakeWindow::Destroy() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  handle_ = nullptr;
}
