// The animation tick against a real window that goes while a tick waits for
// its thread. Composing frames into a window is frame_composer_test's.
#include <gtest/gtest.h>

#include "core/frame_size.h"
#include "support/platform_probe.h"
#include "shell/animation.h"
#include "shell/main_window.h"
#include "unit/raster_fixture.h"
#include "wait.h"
#include "window_fixture.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);  // the class brush; no frame has it

// The fixture also checks that the test leaves no object behind and deletes
// none while selected.
class AnimationTickTest : public RasterTest {
 protected:
  void SetUp() override {
    static const LOGBRUSH magenta{BS_SOLID, kMagenta, 0};
    static const HBRUSH brush = CreateBrushIndirect(&magenta);  // made before the count starts
    RasterTest::SetUp();
    MainWindow = window_fixture::ShowTestWindow("TickClass", DefWindowProcA, 200, 100, 0, brush);
    ASSERT_NE(MainWindow, nullptr);
    UpdateWindow(MainWindow);
    ASSERT_EQ(probe::ClientPixel(MainWindow, 0, 0), kMagenta);
  }
  void TearDown() override {
    if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
    RasterTest::TearDown();
  }
};

// The usual end of the program: the window goes while a tick waits for the
// main thread to paint. That tick gives up, the next fails to draw, and the
// thread ends quietly.
TEST_F(AnimationTickTest, DestroyingTheWindowWhileATickWaitsEndsTheThreadQuietly) {
  FrameWidth = 200;
  FrameHeight = 100;
  auto timer = StartThread<TTimer>();
  InvalidateRect(MainWindow, nullptr, TRUE);  // nobody pumps: UpdateWindow waits
  ASSERT_TRUE(WaitUntil([] { return probe::ClientPixel(MainWindow, 0, 0) != kMagenta; }))
      << "no frame reached the window";
  EXPECT_FALSE(timer->Finished());
  DestroyWindow(MainWindow);
  ASSERT_TRUE(WaitUntil([&] { return timer->Finished(); })) << "the thread did not end";
  EXPECT_EQ(timer->WaitFor(), 0u);
  EXPECT_NE(timer->FatalException(), nullptr);
}

}  // namespace
