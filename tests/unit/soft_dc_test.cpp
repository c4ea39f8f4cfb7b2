// Drawing contexts: memory, screen and window contexts, selection, modes,
// capabilities and clip boxes.
#include <gtest/gtest.h>

#include "platform/soft/objects.h"
#include "platform/soft/soft.h"
#include "platform/win32.h"
#include "support/fake_window.h"

namespace {

constexpr COLORREF kInvalidColor = 0xFFFFFFFF;

HBITMAP MakeSection(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

TEST(MemoryContext, StartsWithTheStockObjectsAndNoBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), nullptr);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 1);
  EXPECT_EQ(box.bottom, 1);
  // Drawing without a bitmap changes nothing and does not fail.
  EXPECT_TRUE(PatBlt(dc, 0, 0, 10, 10, WHITENESS));
  EXPECT_TRUE(Ellipse(dc, 0, 0, 10, 10));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(MemoryContext, ClipsToItsBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = MakeSection(64, 48);
  SelectObject(dc, section);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 64);
  EXPECT_EQ(box.bottom, 48);
  EXPECT_EQ(GetClipBox(nullptr, &box), ERROR_REGION);
  DeleteDC(dc);
  DeleteObject(section);
}

TEST(Selection, ReturnsThePreviousObjectOfTheSameKind) {
  HDC dc = CreateCompatibleDC(nullptr);
  const LOGPEN description{PS_SOLID, {3, 0}, 0};
  HPEN pen = CreatePenIndirect(&description);
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
  // Stale or foreign handles select nothing and change nothing.
  DeleteObject(pen);
  EXPECT_EQ(SelectObject(dc, pen), nullptr);
  EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
  EXPECT_EQ(SelectObject(nullptr, GetStockObject(WHITE_PEN)), nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  DeleteDC(dc);
}

TEST(Selection, ABitmapGoesOnlyIntoAMemoryContext) {
  HDC screen = GetDC(nullptr);
  HBITMAP section = MakeSection(4, 4);
  EXPECT_EQ(SelectObject(screen, section), nullptr);
  EXPECT_EQ(GetCurrentObject(screen, OBJ_BITMAP), nullptr);
  EXPECT_TRUE(DeleteObject(section));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST(Modes, SettersReturnThePreviousValue) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetTextColor(dc, 0x112233), 0x000000u);
  EXPECT_EQ(SetTextColor(dc, 0x445566), 0x112233u);
  EXPECT_EQ(GetTextColor(dc), 0x445566u);
  EXPECT_EQ(SetBkColor(dc, 0xFF000000), 0xFFFFFFu);
  EXPECT_EQ(GetBkColor(dc), 0xFF000000u);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(SetROP2(dc, R2_COPYPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(dc, 0), 0);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
  EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
  DeleteDC(dc);
  EXPECT_EQ(SetTextColor(dc, 0), kInvalidColor);
  EXPECT_EQ(GetBkColor(dc), kInvalidColor);
  EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
  EXPECT_EQ(GetStretchBltMode(dc), 0);
}

TEST(Position, MovesAndReportsThePen) {
  HDC dc = CreateCompatibleDC(nullptr);
  POINT previous{-1, -1};
  EXPECT_TRUE(MoveToEx(dc, 5, -7, &previous));
  EXPECT_EQ(previous.x, 0);
  EXPECT_EQ(previous.y, 0);
  POINT now{};
  EXPECT_TRUE(GetCurrentPositionEx(dc, &now));
  EXPECT_EQ(now.x, 5);
  EXPECT_EQ(now.y, -7);
  POINT origin{9, 9};
  EXPECT_TRUE(GetWindowOrgEx(dc, &origin));
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  DeleteDC(dc);
  EXPECT_FALSE(MoveToEx(dc, 1, 1, nullptr));
}

TEST(Capabilities, DescribeATrueColourScreen) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), 32);
  EXPECT_EQ(GetDeviceCaps(screen, 8), 0);
  soft::SetScreenDpi(120);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 120);
  soft::SetScreenDpi(96);
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 0);
  EXPECT_TRUE(GdiFlush());
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetClipBox(screen, &box), NULLREGION);  // the screen has no pixels here
  EXPECT_EQ(GetObjectType(screen), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
}

TEST(WindowContext, DrawsOnTheClientAreaAndPresentsOnRelease) {
  FakeWindow window(30, 20);
  HDC dc = GetDC(window.handle());
  ASSERT_NE(dc, nullptr);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 30);
  EXPECT_EQ(box.bottom, 20);
  EXPECT_TRUE(PatBlt(dc, 0, 0, 30, 20, WHITENESS));
  EXPECT_EQ(window.Pixel(29, 19), 0xFF);
  EXPECT_EQ(window.Presented(), 0);
  EXPECT_EQ(ReleaseDC(window.handle(), dc), 1);
  EXPECT_EQ(window.Presented(), 1);
}

TEST(WindowContext, IsRefusedForWhatIsNotAWindow) {
  FakeWindow window(4, 4);
  const HWND gone = window.handle();
  window.Destroy();
  SetLastError(0);
  EXPECT_EQ(GetDC(gone), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  HGDIOBJ pen = GetStockObject(BLACK_PEN);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(pen)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST(WindowContext, GoesBackOnlyToItsOwnWindowWithReleaseDC) {
  FakeWindow window(4, 4);
  FakeWindow other(4, 4);
  HDC dc = GetDC(window.handle());
  const long misuse = soft::MisuseCount();
  EXPECT_EQ(ReleaseDC(other.handle(), dc), 0);
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(soft::MisuseCount(), misuse + 2);
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_DC));
  EXPECT_EQ(ReleaseDC(window.handle(), dc), 1);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
  DeleteDC(memory);
}

}  // namespace
