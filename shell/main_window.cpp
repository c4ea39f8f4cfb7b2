#include "shell/main_window.h"

#include <cstdint>

const char* const MainClassName = "MainWClass";
const char* const MainWindowTitle = "TV:QX - No signal...";

HWND MainWindow = nullptr;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

}  // namespace

bool RegisterMainClass() {
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = MainWndProc;
  window_class.cbClsExtra = 0;
  window_class.cbWndExtra = 0;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  // The menu background: a system colour given as its number plus one.
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_MENU + 1));
  window_class.lpszMenuName = nullptr;
  window_class.lpszClassName = MainClassName;
  return RegisterClassA(&window_class) != 0;
}

HWND CreateMainWindow() {
  return CreateWindowExA(0, MainClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}
