// GDI objects and contexts, then the drawing calls on memory contexts.
// Refusals and their last errors are soft_kernel_test's; live counts, also
// across threads, the raster tests' (raster_module_threads_test).
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/soft.h"
#include "soft_section.h"
#include "support/fake_window.h"

namespace {

TEST(HandleTable, KnowsStaleAndForeignHandlesForWhatTheyAre) {
  HPEN first = MakePen(1);
  ASSERT_TRUE(DeleteObject(first));
  // While the freed slot holds other objects, the old handle reaches none of them.
  for (int i = 0; i < 200; ++i) {
    HPEN next = MakePen(static_cast<COLORREF>(i));
    EXPECT_EQ(soft::Find(first), nullptr);
    EXPECT_TRUE(DeleteObject(next));
  }
  EXPECT_EQ(soft::Find(reinterpret_cast<HANDLE>(5)), nullptr);  // wrong kinds: FailingCallTest
}

TEST(StockObjects, AreNeverDeleted) {
  HGDIOBJ pen = GetStockObject(BLACK_PEN);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
}

TEST(Deletion, OfASelectedObjectIsRefusedAndCountedUntilTheLastContextLetsGo) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  HPEN pen = MakePen(0x123456);
  SelectObject(first, pen);
  SelectObject(second, pen);
  SelectObject(first, pen);  // selecting it again changes nothing
  const long misuse = soft::MisuseCount();
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(soft::MisuseCount(), misuse + 1);
  EXPECT_EQ(SelectObject(first, GetStockObject(BLACK_PEN)), pen);
  EXPECT_FALSE(DeleteObject(pen));
  DeleteDC(second);  // deleting a context deselects what it held
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(soft::MisuseCount(), misuse + 2);
  DeleteDC(first);
}

TEST(Description, IsCopiedOnlyWhereItFitsAndTellsASectionsLayout) {
  HPEN pen = MakePen(0xABCDEF, 7);
  LOGPEN described{};
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(GetObjectA(pen, 100, &described), static_cast<int>(sizeof(LOGPEN)));  // its fields: raster_pen_brush_test
  DeleteObject(pen);

  LOGFONTA font{};  // its fields: caption_test
  std::memset(font.lfFaceName, 'A', sizeof(font.lfFaceName));  // no terminating zero
  HFONT handle = CreateFontIndirectA(&font);
  LOGFONTA back{};
  EXPECT_EQ(GetObjectA(handle, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(std::strlen(back.lfFaceName), 31u);
  DeleteObject(handle);

  Section top_down(5, 4, false);
  DIBSECTION section{};
  EXPECT_EQ(GetObjectA(top_down.bitmap(), sizeof section, &section), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(section.dsBm.bmWidthBytes, 16);  // rows padded to 4 bytes
  EXPECT_EQ(section.dsBmih.biHeight, -4);
}

BITMAPINFO Header(LONG width, LONG height, WORD bits = 24, DWORD compression = BI_RGB) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, bits, compression, 0, 0, 0, 0, 0};
  return info;
}

constexpr LONG kMax = std::numeric_limits<LONG>::max();
constexpr LONG kMin = std::numeric_limits<LONG>::min();

struct Refused {
  const char* name;
  BITMAPINFO info;
  DWORD error;
};

void PrintTo(const Refused& refused, std::ostream* out) { *out << refused.name; }

class RefusedSectionTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedSectionTest, LeavesNothingAndSaysWhy) {
  const soft::LiveCounts before = soft::CountLive();
  std::uint8_t dummy = 0;
  void* bits = &dummy;
  SetLastError(0);
  EXPECT_EQ(CreateDIBSection(nullptr, &GetParam().info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(GetLastError(), GetParam().error);
  EXPECT_EQ(soft::CountLive(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, RefusedSectionTest,
    ::testing::Values(Refused{"JustOver2GiB", Header(32768, 21846), ERROR_NOT_ENOUGH_MEMORY},
                      Refused{"WidestAndTallest", Header(kMax, kMin), ERROR_NOT_ENOUGH_MEMORY},
                      Refused{"NoWidth", Header(0, 10), ERROR_INVALID_PARAMETER},
                      Refused{"NoHeight", Header(10, 0), ERROR_INVALID_PARAMETER},
                      Refused{"NegativeWidth", Header(-10, 10), ERROR_INVALID_PARAMETER},
                      Refused{"ThirtyTwoBits", Header(10, 10, 32), ERROR_INVALID_PARAMETER},
                      Refused{"BitFields", Header(10, 10, 24, 3), ERROR_INVALID_PARAMETER},
                      Refused{"NoHeader", {}, ERROR_INVALID_PARAMETER}),
    [](const ::testing::TestParamInfo<Refused>& tested) { return std::string(tested.param.name); });

TEST(MemoryContext, StartsWithTheStockObjectsAndNoBitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), nullptr);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(ScreenContext, DescribesATrueColourScreenWithoutPixels) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetSysColor(-1), 0u) << "no colour has this index";
  EXPECT_EQ(GetSysColor(COLOR_MENUBAR + 1), 0u);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES), 32);  // no palettes
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 0);
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetClipBox(screen, &box), NULLREGION);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST(WindowContext, GoesBackOnlyToItsOwnWindow) {
  FakeWindow window(4, 4), other(4, 4);
  HDC dc = GetDC(window.handle());
  const long misuse = soft::MisuseCount();
  EXPECT_EQ(ReleaseDC(other.handle(), dc), 0);
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(soft::MisuseCount(), misuse + 2);
  EXPECT_EQ(ReleaseDC(window.handle(), dc), 1);
}

// ---- Drawing calls ----------------------------------------------------------------

constexpr COLORREF kGrey = 0x404040;

// The neutral pen draws nothing; a line with it only moves.
TEST(Pens, TheNullOneOnlyMoves) {
  Section frame(20, 12);
  SelectObject(frame.dc(), GetStockObject(NULL_PEN));
  SelectObject(frame.dc(), frame.Brush(0x00FF00));
  EXPECT_TRUE(LineTo(frame.dc(), 14, 0));
  EXPECT_EQ(frame.At(14, 3), 0u);
  POINT position{};
  GetCurrentPositionEx(frame.dc(), &position);
  EXPECT_EQ(position.y, 0);
  EXPECT_TRUE(Ellipse(frame.dc(), 0, 0, 5, 5));
  EXPECT_EQ(frame.At(0, 2), 0x00FF00u);  // the fill reaches the edge where no outline is
}

TEST(FillRectCall, TakesBrushesAndSystemColourIndexes) {
  Section frame(4, 4);
  const RECT all{0, 0, 4, 4};
  EXPECT_NE(FillRect(frame.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_MENU + 1)), 0);
  EXPECT_EQ(frame.At(0, 0), 0xF0F0F0u);
  EXPECT_NE(FillRect(frame.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_EQ(frame.At(3, 3), 0xF0F0F0u);
}

TEST(FocusRect, IsDottedAndUndoneByDrawingItAgain) {
  Section frame(8, 8);
  const RECT all{0, 0, 8, 8};
  EXPECT_TRUE(DrawFocusRect(frame.dc(), &all));
  EXPECT_EQ(frame.At(0, 0) + frame.At(1, 0) + frame.At(2, 0), 2 * 0xFFFFFFu);
  DrawFocusRect(frame.dc(), &all);
  EXPECT_EQ(frame.Memory(), std::vector<std::uint8_t>(frame.Memory().size(), 0));
}

// Work that followed the coordinates instead of the frame would run into the
// test's time limit; sums of coordinates that overflowed would draw elsewhere.
TEST(Clipping, HugeCoordinatesPassThroughTheCalls) {
  Section frame(64, 48), source(8, 8);
  SelectObject(frame.dc(), frame.Pen(1, kGrey));
  MoveToEx(frame.dc(), kMin, kMin, nullptr);
  LineTo(frame.dc(), kMax, kMax);
  for (int y = 0; y < 48; ++y) EXPECT_EQ(frame.At(y, y), kGrey) << y;
  for (int pen : {19, kMax}) {
    SelectObject(frame.dc(), frame.Pen(pen, kGrey));
    MoveToEx(frame.dc(), kMin, kMax, nullptr);
    LineTo(frame.dc(), kMax, kMin);
    Ellipse(frame.dc(), kMin, kMin, kMax, kMax);
    Ellipse(frame.dc(), kMin, 0, kMax, 40);
  }
  PatBlt(frame.dc(), kMin, kMin, kMax, kMax, WHITENESS);
  StretchBlt(frame.dc(), kMin, kMin, kMax, kMax, source.dc(), 0, 0, 8, 8, SRCCOPY);
  StretchBlt(frame.dc(), 0, 0, 64, 48, source.dc(), kMin, kMin, kMin, kMin, SRCCOPY);
  const RECT huge{kMin, kMin, kMax, kMax};
  FillRect(frame.dc(), &huge, frame.Brush(0x00FF00));
  DrawFocusRect(frame.dc(), &huge);
  EXPECT_EQ(frame.At(30, 30), 0x00FF00u);
}

}  // namespace
