// The GDI drawing calls on memory contexts: which pen, brush and position
// they use, what they leave alone, and coordinates of any size.
#include <gtest/gtest.h>

#include <limits>

#include "soft_section.h"

namespace {

constexpr COLORREF kGrey = 0x404040;

// The neutral pen draws nothing; a line with it only moves. Wide pens are
// the rasteriser's test (soft_rasterizer_test).
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
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
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
