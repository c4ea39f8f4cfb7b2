// A real window of the software platform on the dummy display, owned by the
// test's main thread, with a message loop that tests can run for a while.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "platform/win32.h"

namespace window_fixture {

constexpr UINT kTick = WM_USER + 1;

// In-process tests never open the real desktop.
inline void UseDummyDisplay() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

// The background is the menu colour unless a brush is given.
inline ATOM RegisterTestClass(const std::string& name, WNDPROC procedure, UINT style = 0,
                              HBRUSH background = nullptr) {
  WNDCLASSA window_class{};
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground =
      background != nullptr ? background
                            : reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_MENU + 1));
  window_class.lpszClassName = name.c_str();
  return RegisterClassA(&window_class);
}

// Runs the calling thread's message loop until `done` holds (looked at
// every few milliseconds) or `timeout` passes; true if `done` held.
// Messages for other windows are dispatched as usual.
inline bool RunLoopUntil(HWND window, const std::function<bool()>& done,
                         std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
  std::atomic<bool> stop{false};
  std::thread ticker([&] {
    while (!stop) {
      PostMessageA(window, kTick, 0, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool held = false;
  MSG message;
  while (!held && std::chrono::steady_clock::now() < deadline &&
         GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == kTick) {
      held = done();
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  stop = true;
  ticker.join();
  return held || done();
}

inline void RunLoopFor(HWND window, std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  RunLoopUntil(window, [&] { return std::chrono::steady_clock::now() >= end; }, time * 2);
}

}  // namespace window_fixture
