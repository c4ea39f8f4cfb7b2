// The animation tick against a real window: frames whose width and height
// were sampled at different moments, and the window going while a tick waits
// for its thread. That empty frames reach no window is frame_composer_test's.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/frame_size.h"
#include "support/platform_probe.h"
#include "shell/animation.h"
#include "shell/main_window.h"
#include "unit/raster_fixture.h"
#include "wait.h"
#include "window_fixture.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;
constexpr COLORREF kMagenta = RGB(255, 0, 255);  // the class brush; no frame has it

// Magenta pixels left in the top-left width by height of the client area;
// by default the whole client area, which a frame of the outer size covers.
int Untouched(int width = 0, int height = 0) {
  RECT client{};
  GetClientRect(MainWindow, &client);
  if (width == 0) width = client.right;
  if (height == 0) height = client.bottom;
  int count = 0;
  for (int i = 0; i < width * height; ++i) count += probe::ClientPixel(MainWindow, i % width, i / width) == kMagenta;
  return count;
}

// The fixture also checks that every test leaves no object behind and
// deletes none while selected.
class AnimationTickTest : public RasterTest {
 protected:
  void SetUp() override {
    static const LOGBRUSH magenta{BS_SOLID, kMagenta, 0};
    static const HBRUSH brush = CreateBrushIndirect(&magenta);  // made before the count starts
    RasterTest::SetUp();
    MainWindow = window_fixture::ShowTestWindow("TickClass", DefWindowProcA, kWidth, kHeight, 0, brush);
    ASSERT_NE(MainWindow, nullptr);
    UpdateWindow(MainWindow);
    ASSERT_GT(Untouched(), 0);
    FrameWidth = 0;
    FrameHeight = 0;
  }
  void TearDown() override {
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    RasterTest::TearDown();
  }
};

TEST_F(AnimationTickTest, WidthAndHeightSampledAtDifferentMomentsStillDrawAndFreeEverything) {
  std::atomic<bool> stop{false};
  // The main thread's side: two sizes, written one value at a time.
  std::thread resizer([&] {
    for (bool wide = false; !stop; wide = !wide) {
      FrameWidth = wide ? 300 : 60;
      FrameHeight = wide ? 40 : 150;
      std::this_thread::yield();
    }
  });
  std::thread([] {  // ticks as the animation thread does
    for (int i = 0; i < 8; ++i) AnimationTick();
  }).join();
  stop = true;
  resizer.join();
  // Every mix of the two covers at least 60 by 40 from the client origin.
  EXPECT_EQ(Untouched(60, 40), 0);
}

// The usual end of the program: the window goes while a tick waits for the
// main thread to paint. That tick gives up, the next fails to draw, and the
// thread ends quietly.
TEST_F(AnimationTickTest, DestroyingTheWindowWhileATickWaitsEndsTheThreadQuietly) {
  FrameWidth = kWidth;
  FrameHeight = kHeight;
  auto timer = StartThread<TTimer>();
  InvalidateRect(MainWindow, nullptr, TRUE);  // nobody pumps: UpdateWindow waits
  ASSERT_TRUE(WaitUntil([] { return Untouched(1, 1) == 0; })) << "no frame reached the window";
  EXPECT_FALSE(timer->Finished());
  DestroyWindow(MainWindow);
  ASSERT_TRUE(WaitUntil([&] { return timer->Finished(); })) << "the thread did not end";
  EXPECT_EQ(timer->WaitFor(), 0u);
  EXPECT_NE(timer->FatalException(), nullptr);
}

}  // namespace
