#include "shell/message_loop.h"

#include "core/frame_size.h"

void RunMessageLoop(HWND window) {
  MSG message;
  // -1 (an error) is not zero and keeps the loop going, as it always has.
  while (GetMessageA(&message, nullptr, 0, 0) != 0) {
    PublishFrameSize(window);
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PublishFrameSize(HWND window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  if (GetWindowInfo(window, &info) == 0) return;
  FrameWidth.store(info.rcWindow.right - info.rcWindow.left, std::memory_order_relaxed);
  FrameHeight.store(info.rcWindow.bottom - info.rcWindow.top, std::memory_order_relaxed);
}
