// What the screensaver draws, looked at in-process: in a child of a window of
// the test's own (Wine shows no pixels of a child window that another
// process owns; the preview across processes is test_screensaver_wine.py's),
// and on two monitors that the test makes up (Wine shows one).
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <thread>

#include "shell/main_window.h"
#include "shell/runtime.h"
#include "shell/screensaver_surfaces.h"
#include "support/fake_window.h"
#include "support/platform_probe.h"
#include "wait.h"

namespace {

// Most sampled pixels are greys of the static, and many different ones;
// with `caption`, some are as light as the caption's.
bool ShowsStatic(HWND window, bool caption = false) {
  RECT size{};
  GetClientRect(window, &size);
  int static_pixels = 0, light = 0, samples = 0;
  std::set<int> greys;
  for (int y = 1; y < size.bottom; y += 2) {
    for (int x = 1; x < size.right; x += 2, ++samples) {
      const COLORREF pixel = probe::ClientPixel(window, x, y);
      const int grey = GetRValue(pixel);
      if (GetGValue(pixel) != grey || GetBValue(pixel) != grey) continue;
      light += grey >= 180;
      if (grey > 89) continue;
      ++static_pixels;
      greys.insert(grey);
    }
  }
  return samples > 0 && static_pixels * 10 >= samples * 9 && greys.size() >= 40 && (!caption || light > 0);
}

TEST(ScreensaverPreview, DrawsStaticInAChildAtTheClientSizeAndEndsWhenThePreviewWindowGoes) {
  StartRuntime();
  FakeWindow preview(160, 120);
  HWND child = nullptr;
  RECT size{};
  LONG style = 0;
  bool drawn = false;
  std::thread settings([&] {
    WaitUntil([&] { return (child = GetWindow(preview.handle(), GW_CHILD)) != nullptr; });
    GetClientRect(child, &size);
    style = GetWindowLongA(child, GWL_STYLE);
    drawn = WaitUntil([&] { return ShowsStatic(child); });
    PostMessageA(preview.handle(), WM_CLOSE, 0, 0);  // the settings close, and their window goes
  });
  const int exit_code = RunPreview(preview.handle());
  settings.join();
  StopRuntime();
  EXPECT_EQ(exit_code, 0);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child, MainWindow);
  EXPECT_EQ(style & (WS_CHILD | WS_BORDER), WS_CHILD);
  EXPECT_EQ((std::array{size.right, size.bottom}), (std::array<LONG, 2>{160, 120}));
  EXPECT_TRUE(drawn);
  EXPECT_FALSE(IsWindow(child));
}

HWND OtherSaverWindow() {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "NosignalScreensaver", nullptr)) == MainWindow) {
  }
  return window;
}

TEST(ScreensaverFullScreen, ShowsTheFrameOnEveryMonitorAndEndsOnAKey) {
  StartRuntime();
  const std::vector<SaverWindowPlace> monitors{{{300, 0, 620, 240}, true}, {{0, 40, 300, 190}, false}};
  HWND copy = nullptr;
  RECT copy_place{};
  bool both_drawn = false;
  std::thread user([&] {
    WaitUntil([&] { return IsWindowVisible(MainWindow) && (copy = OtherSaverWindow()) != nullptr; });
    GetWindowRect(copy, &copy_place);
    both_drawn = WaitUntil([&] { return ShowsStatic(MainWindow, true) && ShowsStatic(copy, true); });
    PostMessageA(MainWindow, WM_KEYDOWN, VK_SPACE, 0);
  });
  const int exit_code = RunFullScreen(monitors);
  user.join();
  StopRuntime();
  EXPECT_EQ(exit_code, 0);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ((std::array{copy_place.left, copy_place.top, copy_place.right, copy_place.bottom}),
            (std::array<LONG, 4>{0, 40, 300, 190}));
  EXPECT_TRUE(both_drawn) << "static and a caption on both";
  EXPECT_FALSE(IsWindow(copy));
  EXPECT_FALSE(IsWindow(MainWindow));
}

}  // namespace
