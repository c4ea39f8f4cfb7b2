#include "platform/soft/text/text_metrics.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The design of the common metric-compatible sans faces.
const soft::FaceDesign kSans{.units_per_em = 2048, .ascent = 1854, .descent = 434};

TEST(TextMetrics, CellsAreTheOnesThePlatformReports) {
  const soft::FontMetrics caption = soft::ScaleMetrics(kSans, 29);
  EXPECT_EQ(caption.ascent, 27);  // 26.25 rounded up
  EXPECT_EQ(caption.descent, 6);  // 6.15 rounded
  EXPECT_EQ(caption.height, 33);
  EXPECT_EQ(caption.internal_leading, 4);
  const soft::FontMetrics twelve_point = soft::ScaleMetrics(kSans, 16);
  EXPECT_EQ(twelve_point.ascent, 15);
  EXPECT_EQ(twelve_point.height, 18);
}

TEST(TextMetrics, HeightsAskedForBecomeEmSizes) {
  EXPECT_EQ(soft::EmPixelsFor(kSans, -29), 29);
  // 33 * 2048 / 2288 is 29.5, but an em of 30 would need a 34-pixel cell.
  EXPECT_EQ(soft::EmPixelsFor(kSans, 33), 29);
  for (int cell = 2; cell < 200; ++cell) {  // a positive height is the largest cell that fits
    const int em = soft::EmPixelsFor(kSans, cell);
    EXPECT_LE(soft::ScaleMetrics(kSans, em).height, cell) << cell;
    EXPECT_GT(soft::ScaleMetrics(kSans, em + 1).height, cell) << cell;
  }
  EXPECT_EQ(soft::EmPixelsFor(kSans, 0), soft::EmPixelsFor(kSans, soft::kDefaultCellHeight));
  EXPECT_EQ(soft::EmPixelsFor(kSans, INT_MIN), soft::kLargestEmPixels);
  EXPECT_EQ(soft::EmPixelsFor(kSans, INT_MAX), soft::kLargestEmPixels);
}

}  // namespace
