// The screensaver's preview in a window of the test's own: Wine shows no
// pixels of a child window that another process owns, so the drawing is
// looked at here, in-process; the preview across processes is
// test_screensaver_wine.py's.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "shell/main_window.h"
#include "shell/runtime.h"
#include "shell/screensaver_surfaces.h"
#include "support/fake_window.h"
#include "support/platform_probe.h"
#include "wait.h"

namespace {

// Most sampled pixels are greys of the static, and many different ones.
bool ShowsStatic(HWND window, int width, int height) {
  int static_pixels = 0, samples = 0;
  std::set<int> greys;
  for (int y = 1; y < height; y += 4) {
    for (int x = 1; x < width; x += 4, ++samples) {
      const COLORREF pixel = probe::ClientPixel(window, x, y);
      const int grey = GetRValue(pixel);
      if (GetGValue(pixel) != grey || GetBValue(pixel) != grey || grey > 89) continue;
      ++static_pixels;
      greys.insert(grey);
    }
  }
  return static_pixels * 10 >= samples * 9 && greys.size() >= 40;
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
    drawn = WaitUntil([&] { return ShowsStatic(child, 160, 120); });
    PostMessageA(preview.handle(), WM_CLOSE, 0, 0);  // the settings close, and their window goes
  });
  const int exit_code = RunPreview(preview.handle());
  settings.join();
  StopRuntime();
  EXPECT_EQ(exit_code, 0);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child, MainWindow);
  EXPECT_EQ(style & (WS_CHILD | WS_BORDER), WS_CHILD);
  EXPECT_EQ(size.right, 160);
  EXPECT_EQ(size.bottom, 120);
  EXPECT_TRUE(drawn);
  EXPECT_FALSE(IsWindow(child));
}

}  // namespace
