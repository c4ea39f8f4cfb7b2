// UpdateWindow from the animation's side: with nothing invalid it returns at
// once; otherwise it waits until the window's own thread has painted, which
// happens inside that thread's GetMessageA and never comes out of it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

#include "support/platform_probe.h"
#include "platform/win32.h"
#include "wait.h"
#include "window_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr UINT kTick = WM_USER + 1;

std::atomic<int> paints{0};
std::atomic<DWORD> painting_thread{0};

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    ++paints;
    painting_thread = GetCurrentThreadId();
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

TEST(CrossThreadWindow, UpdateWindowFromAnotherThreadWaitsForThePaintInsideGetMessage) {
  const HWND window = window_fixture::ShowTestWindow("CrossThreadClass", RecordingProc, 200, 100);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(UpdateWindow(window));  // the first paint, on this thread
  paints = 0;
  const auto update_elsewhere = [&] { return std::async(std::launch::async, UpdateWindow, window); };
  auto nothing_invalid = update_elsewhere();
  ASSERT_EQ(nothing_invalid.wait_for(10s), std::future_status::ready);
  EXPECT_TRUE(nothing_invalid.get());

  InvalidateRect(window, nullptr, TRUE);
  auto result = update_elsewhere();
  // Nobody pumps: it must still be waiting.
  ASSERT_EQ(result.wait_for(0ms), std::future_status::timeout);
  EXPECT_EQ(paints, 0);
  // Pumped, it is answered inside GetMessage: the paint never surfaces as a
  // message of the loop.
  int paint_messages = 0;
  ASSERT_TRUE(WaitUntil([&] {
    PostMessageA(window, kTick, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != kTick) {
      paint_messages += message.message == WM_PAINT ? 1 : 0;
    }
    return result.wait_for(0ms) == std::future_status::ready;
  }));
  EXPECT_EQ(paint_messages, 0);
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(painting_thread, GetCurrentThreadId());
  EXPECT_TRUE(result.get());
  // The default paint erased with the class brush, the menu colour.
  EXPECT_EQ(probe::ClientPixel(window, 10, 10), GetSysColor(COLOR_MENU));
  DestroyWindow(window);
}

}  // namespace
