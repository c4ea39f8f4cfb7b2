#include "raster/brush.h"
#include "raster/pen.h"
#include "raster_fixture.h"

namespace {

using PenBrushTest = RasterTest;

LOGPEN Describe(HPEN pen) {
  LOGPEN described{};
  EXPECT_NE(GetObjectA(pen, sizeof(described), &described), 0);
  return described;
}

LOGBRUSH Describe(HBRUSH brush) {
  LOGBRUSH described{};
  EXPECT_NE(GetObjectA(brush, sizeof(described), &described), 0);
  return described;
}

TEST_F(PenBrushTest, NegativeWidthIsIgnored) {
  TPen pen;
  pen.SetWidth(5);
  pen.SetWidth(-1);
  EXPECT_EQ(pen.Width(), 5);
}

TEST_F(PenBrushTest, WidthsZeroAndOneAreTwoEntries) {
  TPen zero, one;
  zero.SetWidth(0);
  EXPECT_NE(zero.Handle(), one.Handle());
  EXPECT_EQ(PenCache->EntryCount(), 2u);
  EXPECT_EQ(Describe(zero.Handle()).lopnWidth.x, 0);
  EXPECT_EQ(Describe(one.Handle()).lopnWidth.x, 1);
}

TEST_F(PenBrushTest, PlatformPenFollowsTheDescription) {
  TPen pen;
  pen.SetWidth(7);
  pen.SetColor(clWindowText);
  const LOGPEN described = Describe(pen.Handle());
  EXPECT_EQ(described.lopnStyle, PS_SOLID);
  EXPECT_EQ(described.lopnWidth.x, 7);
  EXPECT_EQ(described.lopnColor, GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(PenBrushTest, ClearStyleMakesTheColourWhiteInOneChange) {
  TBrush brush;
  brush.SetColor(0x123456);
  int notified = 0;
  brush.SetOnChange([&] { ++notified; });
  brush.SetStyle(bsClear);
  EXPECT_EQ(brush.Color(), clWhite);
  EXPECT_EQ(notified, 1);
  const LOGBRUSH described = Describe(brush.Handle());
  EXPECT_EQ(described.lbStyle, BS_HOLLOW);
  EXPECT_EQ(described.lbColor, 0xFFFFFFu);
}

TEST_F(PenBrushTest, PlatformBrushStyles) {
  TBrush solid, hatched;
  hatched.SetStyle(bsCross);
  hatched.SetColor(0x0000FF);
  EXPECT_EQ(Describe(solid.Handle()).lbStyle, BS_SOLID);
  EXPECT_EQ(Describe(solid.Handle()).lbColor, 0xFFFFFFu);
  const LOGBRUSH cross = Describe(hatched.Handle());
  EXPECT_EQ(cross.lbStyle, BS_HATCHED);
  EXPECT_EQ(cross.lbHatch, 4u);
  EXPECT_EQ(cross.lbColor, 0x0000FFu);
}

}  // namespace
