// Drawing contexts: memory, screen and window contexts, selection, modes,
// capabilities and clip boxes.
#include <gtest/gtest.h>

#include "platform/soft/soft.h"
#include "platform/win32.h"
#include "support/fake_window.h"

namespace {

TEST(MemoryContext, SelectsByKindReturningThePreviousObjectAndIgnoresBadHandles) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  const LOGPEN description{PS_SOLID, {3, 0}, 0};
  HPEN pen = CreatePenIndirect(&description);
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
  DeleteObject(pen);
  EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));

  EXPECT_TRUE(DeleteDC(dc));  // a deleted context takes no modes and no moves
  EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
  EXPECT_FALSE(MoveToEx(dc, 1, 1, nullptr));
}

TEST(ScreenContext, DescribesATrueColourScreenWithoutPixels) {
  HDC screen = GetDC(nullptr);
  soft::SetScreenDpi(0);  // nonsense is ignored
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetSysColor(-1), 0u) << "no colour has this index";
  EXPECT_EQ(GetSysColor(COLOR_MENUBAR + 1), 0u);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), 32);  // no palettes
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 0);
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetClipBox(screen, &box), NULLREGION);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  EXPECT_EQ(SelectObject(screen, section), nullptr);  // bitmaps go into memory contexts only
  EXPECT_TRUE(DeleteObject(section));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

TEST(WindowContext, IsRefusedForWhatIsNotAWindowAndGoesBackOnlyToItsOwn) {
  FakeWindow gone(4, 4);
  const HWND handle = gone.handle();
  gone.Destroy();
  for (HWND not_a_window : {handle, reinterpret_cast<HWND>(GetStockObject(BLACK_PEN))}) {
    SetLastError(0);
    EXPECT_EQ(GetDC(not_a_window), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  }
  FakeWindow window(4, 4);
  FakeWindow other(4, 4);
  HDC dc = GetDC(window.handle());
  const long misuse = soft::MisuseCount();
  EXPECT_EQ(ReleaseDC(other.handle(), dc), 0);
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(soft::MisuseCount(), misuse + 2);
  EXPECT_EQ(ReleaseDC(window.handle(), dc), 1);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
  DeleteDC(memory);
}

}  // namespace
