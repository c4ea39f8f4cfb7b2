// The outer and client rectangles of the platform's windows on the dummy
// display: after a move, in the minimised form and after restoring.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/win32.h"

namespace {

// Outer rectangle, then client size, as left, top, right, bottom, width, height.
std::vector<LONG> Place(HWND window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  RECT client{};
  EXPECT_TRUE(GetWindowInfo(window, &info) && GetClientRect(window, &client));
  return {info.rcWindow.left, info.rcWindow.top, info.rcWindow.right, info.rcWindow.bottom, client.right,
          client.bottom};
}

TEST(SoftWindow, MovedAndMinimisedWindowsReportTheirOuterRectangle) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.lpszClassName = "GeometryClass";
  ASSERT_NE(RegisterClassA(&window_class), 0);
  const HWND window = CreateWindowExA(0, "GeometryClass", "geometry", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 300, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  MoveWindow(window, 10, 20, 640, 480, FALSE);
  EXPECT_EQ(Place(window), (std::vector<LONG>{10, 20, 650, 500, 640, 480}));
  ShowWindow(window, SW_SHOWNORMAL);
  ShowWindow(window, SW_MINIMIZE);
  // The minimised form: a small bar far off the screen, with no client area.
  EXPECT_EQ(Place(window), (std::vector<LONG>{-32000, -32000, -32000 + 160, -32000 + 24, 0, 0}));
  ShowWindow(window, SW_RESTORE);
  EXPECT_EQ(Place(window), (std::vector<LONG>{10, 20, 650, 500, 640, 480}));
  DestroyWindow(window);
}

}  // namespace
