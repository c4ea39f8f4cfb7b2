// Pens and brushes: their platform objects follow the description, and equal
// descriptions share one.
#include <memory>

#include "raster/brush.h"
#include "raster/pen.h"
#include "raster_fixture.h"

namespace {

using PenBrushTest = RasterTest;

// The canvas hears of a change and selects the new pen while the old one
// still exists; frame_composer_test's fixture counts a pen deleted while
// selected.
TEST_F(PenBrushTest, PlatformPenFollowsTheDescription) {
  TPen zero, pen;
  zero.SetWidth(0);
  pen.SetWidth(7);
  int notified = 0;
  pen.SetOnChange([&] { ++notified; });
  pen.SetWidth(-1);
  pen.SetWidth(7);
  pen.SetColor(clBlack);
  EXPECT_EQ(notified, 0) << "a negative width is ignored, the current values change nothing";
  pen.SetColor(static_cast<TColor>(0xFF000008));  // the low byte alone names the system colour
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(pen.Width(), 7);
  const LOGPEN made = Describe<LOGPEN>(pen.Handle());
  EXPECT_EQ(made.lopnStyle, PS_SOLID);
  EXPECT_EQ(made.lopnWidth.x, 7);
  EXPECT_EQ(made.lopnColor, GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(Describe<LOGPEN>(zero.Handle()).lopnWidth.x, 0);
}

TEST_F(PenBrushTest, PlatformBrushFollowsTheStyle) {
  struct Case {
    TBrushStyle style;
    UINT platform_style;
    COLORREF color;  // clear always makes the colour white
  };
  for (const Case& c : {Case{bsClear, BS_HOLLOW, 0xFFFFFF}, Case{bsCross, BS_HATCHED, 0x0000FF}}) {
    TBrush brush;
    brush.SetColor(0x0000FF);
    int notified = 0;
    brush.SetOnChange([&] { ++notified; });
    brush.SetStyle(c.style);
    EXPECT_EQ(notified, 1) << "style and colour change at once";
    EXPECT_EQ(static_cast<COLORREF>(brush.Color()), c.color);
    const LOGBRUSH made = Describe<LOGBRUSH>(brush.Handle());
    EXPECT_EQ(made.lbStyle, c.platform_style);
    if (c.style != bsClear) {  // a hollow brush has no colour
      EXPECT_EQ(made.lbColor, c.color);
    }
    EXPECT_EQ(made.lbHatch, c.style == bsCross ? 4u : 0u);
  }
}

TEST_F(PenBrushTest, EqualDescriptionsShareOnePlatformObjectUntilTheLastUserGoes) {
  auto first = std::make_unique<TPen>();
  auto second = std::make_unique<TPen>();
  HPEN shared = first->Handle();
  EXPECT_EQ(second->Handle(), shared);
  EXPECT_EQ(Made().pens, 1);
  first.reset();
  EXPECT_EQ(GetObjectType(shared), OBJ_PEN);
  second.reset();
  EXPECT_EQ(GetObjectType(shared), 0u);
  EXPECT_EQ(RasterModule()->PenCache.EntryCount(), 0u);
}

}  // namespace
