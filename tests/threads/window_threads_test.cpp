// The window between the program's two threads: the main thread's loop
// publishing its outer size, UpdateWindow called from the animation's side,
// and the window going while a tick waits for its thread. Composing frames
// into a window is frame_composer_test's.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <thread>

#include "core/frame_size.h"
#include "core/random_source.h"
#include "shell/animation.h"
#include "shell/main_window.h"
#include "shell/message_loop.h"
#include "support/platform_probe.h"
#include "unit/raster_fixture.h"
#include "wait.h"

namespace {

using namespace std::chrono_literals;

// Registers `name` on first use (the background is the menu colour unless a
// brush is given) and creates a shown window of that class, width by height.
HWND ShowTestWindow(const char* name, WNDPROC procedure, int width, int height, HBRUSH background = nullptr) {
  probe::UseTestDisplay();  // in-process tests never open the real desktop
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hbrBackground =
      background != nullptr ? background : reinterpret_cast<HBRUSH>(std::uintptr_t{COLOR_MENU + 1});
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, name, name, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                                nullptr, nullptr, nullptr, nullptr);
  if (window != nullptr) ShowWindow(window, SW_SHOWNORMAL);
  return window;
}

constexpr UINT kMinimise = WM_USER + 11;

// The program's procedure, plus a way for the test's other thread to have
// the window minimised on its own thread.
LRESULT CALLBACK SteeredProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kMinimise) ShowWindow(window, SW_MINIMIZE);
  return MainWndProc(window, message, wparam, lparam);
}

// The size is sampled when the loop takes a message, and a minimised window
// may get none of its own: the test sends the loop empty ones meanwhile.
bool SizeBecomes(HWND window, int width, int height) {
  return WaitUntil([&] {
    PostMessageA(window, WM_NULL, 0, 0);
    return FrameWidth.load() == width && FrameHeight.load() == height;
  });
}

// Resizing and restoring are the desktop's, and the end-to-end window tests'.
TEST(MessageLoop, PublishesTheOuterSizeThroughMinimiseUntilClosedAndNothingAfter) {
  FrameWidth = 0;
  FrameHeight = 0;
  const HWND window = ShowTestWindow("SteeredClass", SteeredProc, 1024, 768);
  ASSERT_NE(window, nullptr);
  bool normal = false, minimised = false;
  std::thread user([&] {
    normal = SizeBecomes(window, 1024, 768);
    PostMessageA(window, kMinimise, 0, 0);
    minimised = SizeBecomes(window, GetSystemMetrics(SM_CXMINIMIZED), GetSystemMetrics(SM_CYMINIMIZED));
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  RunMessageLoop(window);  // ends with the quit message of WM_DESTROY
  user.join();
  EXPECT_TRUE(normal);
  EXPECT_TRUE(minimised);
  ASSERT_FALSE(IsWindow(window));
  FrameWidth = 333;
  FrameHeight = 222;
  PublishFrameSize(window);  // a window that is gone cannot say
  EXPECT_EQ(FrameWidth, 333);
  EXPECT_EQ(FrameHeight, 222);
}

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
  const HWND window = ShowTestWindow("CrossThreadClass", RecordingProc, 200, 100);
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

constexpr COLORREF kMagenta = RGB(255, 0, 255);  // the class brush; no frame has it

// RasterTest also checks that nothing is left behind or deleted while selected.
class AnimationTickTest : public RasterTest {
 protected:
  void SetUp() override {
    static const LOGBRUSH magenta{BS_SOLID, kMagenta, 0};
    static const HBRUSH brush = CreateBrushIndirect(&magenta);  // made before the count starts
    RasterTest::SetUp();
    MainWindow = ShowTestWindow("TickClass", DefWindowProcA, 200, 100, brush);
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

// A window larger than any bitmap can be: the tick leaves that frame out
// without touching the random sequence, and the next small frame is shown.
#if !defined(_WIN32)
// The stand-in refuses sections past its limit; what Windows does with a
// bitmap of gigabytes is its own (Wine tries to make it, and runs out).
TEST_F(AnimationTickTest, AFrameTooLargeToMakeIsLeftOutAndTheNextOneIsShown) {
  FrameWidth = 26760;
  FrameHeight = 26760;
  const std::uint32_t state = RandomState;
  EXPECT_NO_THROW(AnimationTick());
  EXPECT_EQ(RandomState, state);
  EXPECT_EQ(probe::ClientPixel(MainWindow, 0, 0), kMagenta);
  FrameWidth = 200;
  FrameHeight = 100;
  AnimationTick();
  EXPECT_NE(probe::ClientPixel(MainWindow, 0, 0), kMagenta);
}
#endif

}  // namespace
