// The main thread's loop publishes the window's outer size after every
// message: after a resize, while minimised, and never anything once the
// window is gone.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/frame_size.h"
#include "shell/main_window.h"
#include "shell/message_loop.h"
#include "window_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr UINT kResize = WM_USER + 10;
constexpr UINT kMinimise = WM_USER + 11;
constexpr UINT kRestore = WM_USER + 12;

// The program's procedure, plus a way for the test's other thread to have
// the window resized or minimised on its own thread.
LRESULT CALLBACK SteeredProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kResize) MoveWindow(window, 10, 10, static_cast<int>(wparam), static_cast<int>(lparam), TRUE);
  if (message == kMinimise) ShowWindow(window, SW_MINIMIZE);
  if (message == kRestore) ShowWindow(window, SW_RESTORE);
  return MainWndProc(window, message, wparam, lparam);
}

bool SizeBecomes(int width, int height) {
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (FrameWidth.load() == width && FrameHeight.load() == height) return true;
    std::this_thread::sleep_for(2ms);
  }
  return false;
}

class MessageLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    window_fixture::UseDummyDisplay();
    static const ATOM atom = window_fixture::RegisterTestClass("SteeredClass", SteeredProc, CS_HREDRAW | CS_VREDRAW);
    ASSERT_NE(atom, 0);
    window_ = CreateWindowExA(0, "SteeredClass", "loop", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 1024, 768, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
    FrameWidth = 0;
    FrameHeight = 0;
  }
  HWND window_ = nullptr;
};

TEST_F(MessageLoop, PublishesTheOuterSizeThroughResizeAndMinimiseUntilClosed) {
  bool full = false, resized = false, minimised = false, restored = false;
  std::thread user([&] {
    full = SizeBecomes(1024, 768);
    PostMessageA(window_, kResize, 640, 480);
    resized = SizeBecomes(640, 480);
    PostMessageA(window_, kMinimise, 0, 0);
    minimised = SizeBecomes(160, 28);
    PostMessageA(window_, kRestore, 0, 0);
    restored = SizeBecomes(640, 480);
    PostMessageA(window_, WM_CLOSE, 0, 0);
  });
  RunMessageLoop(window_);  // ends with the quit message of WM_DESTROY
  user.join();
  EXPECT_TRUE(full);
  EXPECT_TRUE(resized);
  EXPECT_TRUE(minimised);
  EXPECT_TRUE(restored);
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(MessageLoop, NothingIsPublishedForAWindowThatIsGone) {
  DestroyWindow(window_);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) != 0) {  // until the quit of WM_DESTROY
  }
  FrameWidth = 333;
  FrameHeight = 222;
  PublishFrameSize(window_);
  EXPECT_EQ(FrameWidth, 333);
  EXPECT_EQ(FrameHeight, 222);
}

}  // namespace
