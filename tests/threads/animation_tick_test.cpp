// The animation tick against a real window: empty frames before a size is
// published, frames that cover the client area, frames whose width and
// height were sampled at different moments, and stopping while a tick
// waits for the window's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "core/frame_size.h"
#include "platform/soft/soft.h"
#include "platform/soft/window_test_hooks.h"
#include "raster/raster_module.h"
#include "shell/animation.h"
#include "shell/main_window.h"
#include "window_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr int kClientWidth = 200;
constexpr int kClientHeight = 100;
constexpr COLORREF kBackground = RGB(255, 0, 255);

int CountPixels(HWND window, int width, int height, COLORREF color) {
  int count = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) count += soft::ClientPixel(window, x, y) == color ? 1 : 0;
  }
  return count;
}

class AnimationTickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_fixture::UseDummyDisplay();
    StartRasterModule();
    // Magenta: a colour no frame ever has.
    static const LOGBRUSH magenta{BS_SOLID, RGB(255, 0, 255), 0};
    static const ATOM atom = window_fixture::RegisterTestClass("TickClass", DefWindowProcA, 0,
                                                               CreateBrushIndirect(&magenta));
    ASSERT_NE(atom, 0);
    // No frame on the dummy display: the outer size is the client size.
    MainWindow = CreateWindowExA(0, "TickClass", "tick", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, kClientWidth, kClientHeight, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(MainWindow, nullptr);
    ShowWindow(MainWindow, SW_SHOWNORMAL);
    UpdateWindow(MainWindow);  // erased with the class brush
    ASSERT_EQ(CountPixels(MainWindow, kClientWidth, kClientHeight, kBackground), kClientWidth * kClientHeight);
    FrameWidth = 0;
    FrameHeight = 0;
  }
  void TearDown() override {
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    MainWindow = nullptr;
    StopRasterModule();
  }
  // Ticks as the animation thread does, on a thread of its own.
  static void TickOnAnotherThread(int ticks) {
    std::thread animation([ticks] {
      for (int i = 0; i < ticks; ++i) AnimationTick();
    });
    animation.join();
  }
};

TEST_F(AnimationTickTest, TicksBeforeASizeIsPublishedCopyNothing) {
  TickOnAnotherThread(3);
  EXPECT_EQ(CountPixels(MainWindow, kClientWidth, kClientHeight, kBackground), kClientWidth * kClientHeight);
}

TEST_F(AnimationTickTest, AFrameOfTheOuterSizeCoversTheWholeClientArea) {
  FrameWidth = kClientWidth;
  FrameHeight = kClientHeight;
  TickOnAnotherThread(1);
  EXPECT_EQ(CountPixels(MainWindow, kClientWidth, kClientHeight, kBackground), 0);
}

TEST_F(AnimationTickTest, WidthAndHeightSampledAtDifferentMomentsStillDrawCorrectly) {
  const soft::LiveCounts before = soft::CountLive();
  const long misuse_before = soft::MisuseCount();
  std::atomic<bool> stop{false};
  // The main thread's side: two sizes, written one value at a time.
  std::thread resizer([&] {
    for (bool wide = false; !stop; wide = !wide) {
      FrameWidth = wide ? 300 : 60;
      FrameHeight = wide ? 40 : 150;
      std::this_thread::yield();
    }
  });
  TickOnAnotherThread(8);
  stop = true;
  resizer.join();
  // Every mix of the two covers at least 60 by 40 from the client origin.
  EXPECT_EQ(CountPixels(MainWindow, 60, 40, kBackground), 0);
  EXPECT_EQ(soft::CountLive(), before);
  EXPECT_EQ(soft::MisuseCount(), misuse_before);
}

TEST_F(AnimationTickTest, StoppingWhileATickWaitsInUpdateWindowNeverDeadlocks) {
  FrameWidth = kClientWidth;
  FrameHeight = kClientHeight;
  auto timer = StartThread<TTimer>();
  // Nobody pumps messages here: the next tick's UpdateWindow waits.
  InvalidateRect(MainWindow, nullptr, TRUE);
  std::this_thread::sleep_for(150ms);
  EXPECT_FALSE(timer->Finished());
  timer->Terminate();
  DestroyWindow(MainWindow);
  auto joined = std::async(std::launch::async, [&] { return timer->WaitFor(); });
  ASSERT_EQ(joined.wait_for(2s), std::future_status::ready);
  EXPECT_EQ(joined.get(), 0u);
}

TEST_F(AnimationTickTest, ATickAfterTheWindowIsGoneEndsTheThreadQuietly) {
  FrameWidth = kClientWidth;
  FrameHeight = kClientHeight;
  auto timer = StartThread<TTimer>();
  std::this_thread::sleep_for(120ms);
  DestroyWindow(MainWindow);
  const auto deadline = std::chrono::steady_clock::now() + 2s;
  while (!timer->Finished() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
  ASSERT_TRUE(timer->Finished());
  EXPECT_NE(timer->FatalException(), nullptr);
}

}  // namespace
