// A real window on the test's display, owned by the test's main thread.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "support/platform_probe.h"

namespace window_fixture {

// Registers `name` on first use (the background is the menu colour unless a
// brush is given) and creates a shown window of that class, width by height.
inline HWND ShowTestWindow(const char* name, WNDPROC procedure, int width, int height, UINT style = 0,
                           HBRUSH background = nullptr) {
  probe::UseTestDisplay();  // in-process tests never open the real desktop
  WNDCLASSA window_class{};
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hbrBackground =
      background != nullptr ? background : reinterpret_cast<HBRUSH>(std::uintptr_t{COLOR_MENU + 1});
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, name, name, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, width,
                                height, nullptr, nullptr, nullptr, nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

}  // namespace window_fixture
