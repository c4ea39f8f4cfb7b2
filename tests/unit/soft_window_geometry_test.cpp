// The platform's windows on the dummy display: class registration, the
// outer and client rectangles (normal and minimised), the order in which
// the message loop hands out messages, and painting of shown windows only.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/soft/window_test_hooks.h"
#include "platform/win32.h"

namespace {

int paints = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) ++paints;
  return DefWindowProcA(window, message, wparam, lparam);
}

class SoftWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    static const ATOM atom = [] {
      WNDCLASSA window_class{};
      window_class.lpfnWndProc = CountingProc;
      window_class.hbrBackground = reinterpret_cast<HBRUSH>(std::uintptr_t{COLOR_MENU + 1});
      window_class.lpszClassName = "GeometryClass";
      return RegisterClassA(&window_class);
    }();
    ASSERT_NE(atom, 0);
    window_ = CreateWindowExA(0, "GeometryClass", "geometry", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    paints = 0;
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  WINDOWINFO Info() {
    WINDOWINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetWindowInfo(window_, &info));
    return info;
  }
  HWND window_ = nullptr;
};

TEST(SoftWindowClass, NamesAreUniqueWithoutRegardToCaseAndMustExistForCreation) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.lpszClassName = "CaseClass";
  EXPECT_NE(RegisterClassA(&window_class), 0);
  window_class.lpszClassName = "CASECLASS";
  EXPECT_EQ(RegisterClassA(&window_class), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(SoftWindow, OuterRectangleFollowsMoveWindowInScreenCoordinates) {
  EXPECT_EQ(Info().dwStyle & WS_VISIBLE, 0u);
  MoveWindow(window_, 10, 20, 640, 480, FALSE);
  const WINDOWINFO info = Info();
  EXPECT_EQ(info.rcWindow.left, 10);
  EXPECT_EQ(info.rcWindow.top, 20);
  EXPECT_EQ(info.rcWindow.right, 650);
  EXPECT_EQ(info.rcWindow.bottom, 500);
  RECT client;
  ASSERT_TRUE(GetClientRect(window_, &client));
  EXPECT_EQ(client.right, 640);
  EXPECT_EQ(client.bottom, 480);
}

TEST_F(SoftWindow, MinimisedWindowReportsItsMinimisedFormAndRestoresItsSize) {
  ShowWindow(window_, SW_SHOWNORMAL);
  ShowWindow(window_, SW_MINIMIZE);
  WINDOWINFO info = Info();
  EXPECT_EQ(info.rcWindow.left, -32000);
  EXPECT_EQ(info.rcWindow.top, -32000);
  EXPECT_EQ(info.rcWindow.right - info.rcWindow.left, 160);
  EXPECT_EQ(info.rcWindow.bottom - info.rcWindow.top, 28);
  EXPECT_NE(info.dwStyle & WS_MINIMIZE, 0u);
  RECT client;
  GetClientRect(window_, &client);
  EXPECT_EQ(client.right, 0);
  EXPECT_EQ(client.bottom, 0);
  ShowWindow(window_, SW_RESTORE);
  info = Info();
  EXPECT_EQ(info.rcWindow.right - info.rcWindow.left, 300);
  EXPECT_EQ(info.rcWindow.bottom - info.rcWindow.top, 200);
}

TEST_F(SoftWindow, DestroyedWindowAnswersNothing) {
  DestroyWindow(window_);
  WINDOWINFO info{};
  info.rcWindow = RECT{1, 2, 3, 4};
  EXPECT_FALSE(GetWindowInfo(window_, &info));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_EQ(info.rcWindow.right, 3);
  EXPECT_FALSE(IsWindow(window_));
  EXPECT_FALSE(PostMessageA(window_, WM_USER, 0, 0));
}

TEST_F(SoftWindow, QuitComesAfterEveryPostedMessageAndABadFilterIsAnError) {
  PostQuitMessage(7);
  PostMessageA(window_, WM_USER, 1, 2);
  MSG message;
  bool user_seen = false;
  while (GetMessageA(&message, nullptr, 0, 0) == TRUE) {
    user_seen = user_seen || (message.message == WM_USER && message.hwnd == window_);
  }
  EXPECT_TRUE(user_seen);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_EQ(GetMessageA(&message, reinterpret_cast<HWND>(std::uintptr_t{0x1234}), 0, 0), -1);
}

TEST_F(SoftWindow, OnlyShownWindowsArePaintedAndErasedWithTheClassColour) {
  InvalidateRect(window_, nullptr, TRUE);
  EXPECT_TRUE(UpdateWindow(window_));
  EXPECT_EQ(paints, 0);
  ShowWindow(window_, SW_SHOWNORMAL);  // showing invalidates the whole window
  EXPECT_TRUE(UpdateWindow(window_));
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(soft::ClientPixel(window_, 0, 0), GetSysColor(COLOR_MENU));
  EXPECT_EQ(soft::ClientPixel(window_, 299, 199), GetSysColor(COLOR_MENU));
  EXPECT_TRUE(UpdateWindow(window_));  // nothing left to paint
  EXPECT_EQ(paints, 1);
}

}  // namespace
