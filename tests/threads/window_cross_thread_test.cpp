// A window used from the animation's side: UpdateWindow waits for the
// window's own thread to paint and gives up when the window goes; what
// another thread draws reaches the desktop from inside the message loop.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "platform/soft/window_test_hooks.h"
#include "platform/win32.h"
#include "window_fixture.h"

namespace {

using namespace std::chrono_literals;
using window_fixture::RunLoopUntil;

std::atomic<int> paints{0};
std::atomic<DWORD> painting_thread{0};

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    ++paints;
    painting_thread = GetCurrentThreadId();
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

class CrossThreadWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window_fixture::UseDummyDisplay();
    static const ATOM atom = window_fixture::RegisterTestClass("CrossThreadClass", RecordingProc);
    ASSERT_NE(atom, 0);
    window_ = CreateWindowExA(0, "CrossThreadClass", "cross", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    // The first paint of a shown window happens here, on the main thread.
    ASSERT_TRUE(UpdateWindow(window_));
    paints = 0;
    painting_thread = 0;
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  HWND window_ = nullptr;
};

TEST_F(CrossThreadWindow, UpdateWindowFromAnotherThreadWaitsForTheOwnersPaint) {
  InvalidateRect(window_, nullptr, TRUE);
  std::atomic<bool> returned{false};
  std::thread animation([&] {
    EXPECT_TRUE(UpdateWindow(window_));
    returned = true;
  });
  // Nobody pumps: the other thread must still be waiting.
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(returned);
  EXPECT_EQ(paints, 0);

  EXPECT_TRUE(RunLoopUntil(window_, [&] { return returned.load(); }));
  animation.join();
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(painting_thread, GetCurrentThreadId());
  // The default paint erased with the class brush, the menu colour.
  EXPECT_EQ(soft::ClientPixel(window_, 10, 10), GetSysColor(COLOR_MENU));
}

TEST_F(CrossThreadWindow, UpdateWindowWithNothingInvalidReturnsAtOnce) {
  auto result = std::async(std::launch::async, [&] { return UpdateWindow(window_); });
  ASSERT_EQ(result.wait_for(1s), std::future_status::ready);
  EXPECT_TRUE(result.get());
  EXPECT_EQ(paints, 0);
}

TEST_F(CrossThreadWindow, UpdateWindowGivesUpWhenTheWindowIsDestroyed) {
  InvalidateRect(window_, nullptr, TRUE);
  auto result = std::async(std::launch::async, [&] { return UpdateWindow(window_); });
  std::this_thread::sleep_for(50ms);
  ASSERT_EQ(result.wait_for(0ms), std::future_status::timeout);
  DestroyWindow(window_);
  ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
  EXPECT_FALSE(result.get());
  EXPECT_EQ(paints, 0);
  // And a destroyed window is refused without waiting.
  EXPECT_FALSE(UpdateWindow(window_));
}

TEST_F(CrossThreadWindow, PaintsForOtherThreadsAreHandledInsideGetMessage) {
  InvalidateRect(window_, nullptr, TRUE);
  auto result = std::async(std::launch::async, [&] { return UpdateWindow(window_); });
  std::this_thread::sleep_for(200ms);  // the request is queued by now
  PostMessageA(window_, window_fixture::kTick, 0, 0);
  // The loop gets its own messages; the paint happens on the way, unseen.
  int paint_messages = 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != window_fixture::kTick) {
    paint_messages += message.message == WM_PAINT ? 1 : 0;
  }
  EXPECT_EQ(paint_messages, 0);
  EXPECT_EQ(paints, 1);
  ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
  EXPECT_TRUE(result.get());
}

TEST_F(CrossThreadWindow, WhatAnotherThreadDrawsIsPresentedFromTheLoop) {
  const int before = soft::PresentCount(window_);
  std::thread animation([&] {
    HDC dc = GetDC(window_);
    ASSERT_NE(dc, nullptr);
    PatBlt(dc, 0, 0, 50, 50, WHITENESS);
    ReleaseDC(window_, dc);
  });
  animation.join();
  EXPECT_EQ(soft::ClientPixel(window_, 5, 5), RGB(255, 255, 255));
  EXPECT_TRUE(RunLoopUntil(window_, [&] { return soft::PresentCount(window_) > before; }));
}

}  // namespace
