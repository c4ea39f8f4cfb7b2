#include "platform/soft/text_metrics.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The design of the common metric-compatible sans faces.
soft::FaceDesign SansDesign() {
  soft::FaceDesign design;
  design.units_per_em = 2048;
  design.ascent = 1854;
  design.descent = 434;
  design.line_gap = 67;
  design.average_width = 904;
  design.max_advance = 4096;
  design.underline_position = -217;
  design.underline_thickness = 150;
  return design;
}

TEST(TextMetrics, CaptionSize) {
  const int em = soft::EmPixelsFor(SansDesign(), -29);
  ASSERT_EQ(em, 29);
  const soft::FontMetrics metrics = soft::ScaleMetrics(SansDesign(), em);
  EXPECT_EQ(metrics.ascent, 27);  // 26.25 rounded up
  EXPECT_EQ(metrics.descent, 6);  // 6.15 rounded
  EXPECT_EQ(metrics.height, 33);
  EXPECT_EQ(metrics.internal_leading, 4);
  EXPECT_EQ(metrics.external_leading, 1);
  EXPECT_EQ(metrics.average_width, 13);
  EXPECT_EQ(metrics.max_width, 58);
  EXPECT_GT(metrics.underline_top, metrics.ascent);
  EXPECT_LE(metrics.underline_top + metrics.underline_height, metrics.height);
}

TEST(TextMetrics, TwelvePointText) {
  const soft::FontMetrics metrics = soft::ScaleMetrics(SansDesign(), 16);
  EXPECT_EQ(metrics.ascent, 15);
  EXPECT_EQ(metrics.descent, 3);
  EXPECT_EQ(metrics.height, 18);
}

TEST(TextMetrics, PositiveHeightIsTheLargestCellThatFits) {
  // 33 * 2048 / 2288 is 29.5, but an em of 30 would need a 34-pixel cell.
  EXPECT_EQ(soft::EmPixelsFor(SansDesign(), 33), 29);
  for (int cell = 2; cell < 200; ++cell) {
    const int em = soft::EmPixelsFor(SansDesign(), cell);
    EXPECT_LE(soft::ScaleMetrics(SansDesign(), em).height, cell) << cell;
    EXPECT_GT(soft::ScaleMetrics(SansDesign(), em + 1).height, cell) << cell;
  }
}

TEST(TextMetrics, DefaultAndExtremeHeights) {
  EXPECT_EQ(soft::EmPixelsFor(SansDesign(), 0), soft::EmPixelsFor(SansDesign(), soft::kDefaultCellHeight));
  EXPECT_EQ(soft::EmPixelsFor(SansDesign(), INT_MIN), soft::kLargestEmPixels);
  EXPECT_EQ(soft::EmPixelsFor(SansDesign(), INT_MAX), soft::kLargestEmPixels);
  const soft::FontMetrics tiny = soft::ScaleMetrics(SansDesign(), 1);
  EXPECT_GE(tiny.average_width, 1);
  EXPECT_EQ(tiny.height, tiny.ascent + tiny.descent);
}

}  // namespace
