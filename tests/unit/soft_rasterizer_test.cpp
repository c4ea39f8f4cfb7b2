// The pixel algorithms on plain surfaces: one-pixel and wide lines, ellipses
// and rings, copies, and clipping of coordinates of any size.
#include "platform/soft/rasterizer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using soft::Area;
using soft::Box;

constexpr COLORREF kInk = 0x3366CC;
constexpr COLORREF kPaper = 0x000000;

// A surface over its own memory, read back pixel by pixel.
class Picture {
 public:
  Picture(int width, int height, int bytes_per_pixel = 3, bool bottom_up = true) {
    const int stride = (width * bytes_per_pixel + 3) & ~3;
    memory_.assign(static_cast<std::size_t>(stride) * height, 0);
    surface_ = {memory_.data(), width, height, stride, bytes_per_pixel, bottom_up};
  }
  const soft::Surface& surface() const { return surface_; }
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = surface_.Row(y) + x * surface_.bytes_per_pixel;
    return RGB(p[2], p[1], p[0]);
  }
  bool Set(int x, int y) const { return At(x, y) != kPaper; }
  int Count() const {
    int count = 0;
    for (int y = 0; y < surface_.height; ++y)
      for (int x = 0; x < surface_.width; ++x) count += Set(x, y) ? 1 : 0;
    return count;
  }
  // Fills every pixel with a colour made from its position.
  void Pattern() {
    for (int y = 0; y < surface_.height; ++y)
      for (int x = 0; x < surface_.width; ++x) soft::FillBox(surface_, {x, y, x + 1, y + 1}, RGB(x, y, x ^ y));
  }
  const std::vector<std::uint8_t>& memory() const { return memory_; }

 private:
  std::vector<std::uint8_t> memory_;
  soft::Surface surface_;
};

double Seconds(const std::chrono::steady_clock::time_point& start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// ---- One-pixel lines ------------------------------------------------------------

TEST(ThinLine, ExcludesItsEndPointInEveryDirection) {
  const POINT ends[] = {{15, 10}, {15, 13}, {13, 15}, {10, 15}, {7, 15}, {5, 12},
                        {5, 10},  {5, 7},   {8, 5},   {10, 5},  {14, 5}, {15, 5}};
  for (const POINT end : ends) {
    Picture picture(21, 21);
    soft::DrawThinLine(picture.surface(), {10, 10}, end, kInk);
    EXPECT_TRUE(picture.Set(10, 10)) << end.x << "," << end.y;
    EXPECT_FALSE(picture.Set(end.x, end.y)) << end.x << "," << end.y;
    EXPECT_EQ(picture.Count(), std::max(std::abs(end.x - 10), std::abs(end.y - 10)));
  }
}

TEST(ThinLine, RunsStraightAlongAxesAndDiagonals) {
  Picture picture(12, 12);
  soft::DrawThinLine(picture.surface(), {0, 3}, {12, 3}, kInk);
  soft::DrawThinLine(picture.surface(), {0, 0}, {12, 12}, kInk);
  for (int x = 0; x < 12; ++x) {
    EXPECT_EQ(picture.At(x, 3), kInk);
    EXPECT_EQ(picture.At(x, x), kInk);
  }
  EXPECT_EQ(picture.Count(), 12 + 11);
}

TEST(ThinLine, OfZeroLengthDrawsNothing) {
  Picture picture(4, 4);
  soft::DrawThinLine(picture.surface(), {1, 1}, {1, 1}, kInk);
  EXPECT_EQ(picture.Count(), 0);
}

TEST(ThinLine, StepsOnePixelPerColumnOnAShallowSlope) {
  Picture picture(64, 48);
  soft::DrawThinLine(picture.surface(), {0, 30}, {64, 40}, kInk);
  for (int x = 0; x < 64; ++x) {
    int in_column = 0;
    for (int y = 0; y < 48; ++y) in_column += picture.Set(x, y) ? 1 : 0;
    EXPECT_EQ(in_column, 1) << x;
  }
  EXPECT_TRUE(picture.Set(0, 30));
  EXPECT_TRUE(picture.Set(63, 40));
}

// ---- Wide lines -----------------------------------------------------------------

TEST(WideLine, IsCentredOnItsPathWithRoundEnds) {
  Picture picture(20, 11);
  soft::DrawWideLine(picture.surface(), {5, 5}, {14, 5}, 5, kInk);
  // Five rows, two either side of the path; the ends reach 2 pixels past the
  // end points on the path and only 1 pixel two rows away from it.
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 20; ++x) {
      const int reach = y == 5 || y == 4 || y == 6 ? 2 : (y == 3 || y == 7 ? 1 : -100);
      const bool inside = x >= 5 - reach && x <= 14 + reach;
      EXPECT_EQ(picture.Set(x, y), inside) << x << "," << y;
    }
  }
}

TEST(WideLine, CoversExactlyItsWidthInRows) {
  for (int width = 2; width <= 9; ++width) {
    Picture picture(30, 30);
    soft::DrawWideLine(picture.surface(), {3, 15}, {27, 15}, width, kInk);
    int rows = 0;
    for (int y = 0; y < 30; ++y) rows += picture.Set(15, y) ? 1 : 0;
    EXPECT_EQ(rows, width);
    EXPECT_TRUE(picture.Set(15, 15));
    EXPECT_TRUE(picture.Set(15, 15 - width / 2));
  }
}

TEST(WideLine, VerticalIsTheTransposedHorizontal) {
  for (int width : {2, 3, 6, 7}) {
    Picture across(30, 30);
    Picture down(30, 30);
    soft::DrawWideLine(across.surface(), {4, 12}, {21, 12}, width, kInk);
    soft::DrawWideLine(down.surface(), {12, 4}, {12, 21}, width, kInk);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) ASSERT_EQ(across.Set(x, y), down.Set(y, x)) << width;
  }
}

TEST(WideLine, DiagonalIsSymmetricAboutItsPath) {
  Picture picture(32, 32);
  soft::DrawWideLine(picture.surface(), {4, 4}, {27, 27}, 5, kInk);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(picture.Set(x, y), picture.Set(y, x));
  EXPECT_TRUE(picture.Set(16, 16));
  EXPECT_TRUE(picture.Set(17, 15));
  EXPECT_FALSE(picture.Set(19, 13));
}

// ---- Ellipses -------------------------------------------------------------------

soft::EllipseStyle Filled(COLORREF pen, COLORREF brush, int width = 1) {
  soft::EllipseStyle style;
  style.pen_width = width;
  style.pen_color = pen;
  style.fill_color = brush;
  return style;
}

TEST(Ellipse, StaysInsideItsBoxAndTouchesEveryEdge) {
  Picture picture(20, 16);
  const Box box{2, 3, 13, 12};
  soft::DrawEllipse(picture.surface(), box, Filled(kInk, kInk));
  bool left = false, right = false, top = false, bottom = false;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 20; ++x) {
      if (!picture.Set(x, y)) continue;
      EXPECT_TRUE(x >= 2 && x < 13 && y >= 3 && y < 12) << x << "," << y;
      left |= x == 2;
      right |= x == 12;
      top |= y == 3;
      bottom |= y == 11;
    }
  }
  EXPECT_TRUE(left && right && top && bottom);
}

TEST(Ellipse, CircleIsSymmetricEveryWay) {
  for (int size : {1, 2, 3, 7, 10, 29}) {
    Picture picture(size, size);
    soft::DrawEllipse(picture.surface(), {0, 0, size, size}, Filled(kInk, 0x111111));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        ASSERT_EQ(picture.At(x, y), picture.At(size - 1 - x, y)) << size;
        ASSERT_EQ(picture.At(x, y), picture.At(x, size - 1 - y)) << size;
        ASSERT_EQ(picture.At(x, y), picture.At(y, x)) << size;
      }
    }
  }
}

TEST(Ellipse, OutlineAndFillCoverTheFilledShapeWithoutOverlap) {
  Picture outlined(24, 18);
  Picture plain(24, 18);
  soft::EllipseStyle no_pen = Filled(0, kInk);
  no_pen.outline = false;
  soft::DrawEllipse(outlined.surface(), {1, 2, 23, 17}, Filled(0x0000FF, 0x00FF00));
  soft::DrawEllipse(plain.surface(), {1, 2, 23, 17}, no_pen);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(outlined.Set(x, y), plain.Set(x, y)) << x << "," << y;
  EXPECT_EQ(outlined.At(12, 9), 0x00FF00u);
  EXPECT_EQ(outlined.At(1, 9), 0x0000FFu);
  EXPECT_EQ(outlined.At(12, 2), 0x0000FFu);
}

TEST(Ellipse, WithoutFillLeavesTheInsideUntouched) {
  Picture picture(20, 20);
  soft::FillBox(picture.surface(), {0, 0, 20, 20}, 0x404040);
  soft::EllipseStyle hollow = Filled(kInk, 0);
  hollow.fill = false;
  soft::DrawEllipse(picture.surface(), {0, 0, 20, 20}, hollow);
  EXPECT_EQ(picture.At(10, 10), 0x404040u);
  EXPECT_EQ(picture.At(0, 10), kInk);
  EXPECT_EQ(picture.At(10, 19), kInk);
  // A one-pixel outline: at most two runs of pen in any row.
  for (int y = 0; y < 20; ++y) {
    int runs = 0;
    for (int x = 0; x < 20; ++x) runs += picture.At(x, y) == kInk && (x == 0 || picture.At(x - 1, y) != kInk);
    EXPECT_LE(runs, 2);
  }
}

TEST(Ellipse, OfZeroWidthOrHeightDrawsNothing) {
  Picture picture(10, 10);
  soft::DrawEllipse(picture.surface(), {10, 10, 10, 10}, Filled(kInk, kInk, 4));
  soft::DrawEllipse(picture.surface(), {2, 2, 2, 8}, Filled(kInk, kInk, 4));
  soft::DrawEllipse(picture.surface(), {2, 2, 8, 2}, Filled(kInk, kInk));
  EXPECT_EQ(picture.Count(), 0);
}

TEST(Ellipse, WideOutlineIsARingCentredOnTheCurve) {
  Picture picture(80, 80);
  soft::EllipseStyle ring = Filled(kInk, 0);
  ring.pen_width = 4;
  ring.fill = false;
  soft::DrawEllipse(picture.surface(), {20, 20, 60, 60}, ring);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 80; ++x) {
      const double distance = std::hypot(x + 0.5 - 40, y + 0.5 - 40);
      if (std::abs(distance - 20) < 1.5) {
        EXPECT_TRUE(picture.Set(x, y)) << x << "," << y;
      }
      if (std::abs(distance - 20) > 2.5) {
        EXPECT_FALSE(picture.Set(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(Ellipse, InsideFrameKeepsAWideOutlineInsideTheBox) {
  Picture picture(40, 40);
  soft::EllipseStyle ring = Filled(kInk, 0);
  ring.pen_width = 6;
  ring.fill = false;
  ring.inside_frame = true;
  soft::DrawEllipse(picture.surface(), {10, 10, 30, 30}, ring);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (picture.Set(x, y)) {
        EXPECT_TRUE(x >= 10 && x < 30 && y >= 10 && y < 30) << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(picture.Set(10, 19));
  EXPECT_FALSE(picture.Set(20, 20));
}

// ---- Clipping -------------------------------------------------------------------

TEST(Clipping, HugeCoordinatesCostNoMoreThanTheSurface) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  Picture picture(64, 48);
  const auto start = std::chrono::steady_clock::now();
  soft::DrawThinLine(picture.surface(), {kMin, kMin}, {kMax, kMax}, kInk);
  for (int y = 0; y < 48; ++y) EXPECT_TRUE(picture.Set(y, y)) << y;
  EXPECT_EQ(picture.Count(), 48);

  soft::DrawWideLine(picture.surface(), {kMin, kMax}, {kMax, kMin}, 7, kInk);
  soft::DrawWideLine(picture.surface(), {kMin, 10}, {kMax, 10}, kMax, kInk);
  soft::DrawEllipse(picture.surface(), {kMin, kMin, kMax, kMax}, Filled(kInk, kInk, 9));
  soft::DrawEllipse(picture.surface(), {kMin, kMin, kMax, kMax}, Filled(kInk, kInk, kMax));
  soft::DrawEllipse(picture.surface(), {kMin, 0, kMax, 40}, Filled(kInk, kInk, 1));
  soft::FillBox(picture.surface(), {kMin, kMin, kMax, kMax}, kInk);
  soft::InvertDottedFrame(picture.surface(), {kMin, kMin, kMax, kMax});
  soft::StretchCopy(picture.surface(), {kMin, kMin, kMax, kMax}, picture.surface(), {0, 0, 64, 48});
  soft::StretchCopy(picture.surface(), {0, 0, 64, 48}, picture.surface(), {kMin, kMin, kMin, kMin});
  EXPECT_LT(Seconds(start), 1.0);
}

TEST(Clipping, NothingOutsideTheSurfaceIsWritten) {
  // The picture sits inside a larger block; the margins must stay untouched.
  std::vector<std::uint8_t> block(64 * 20, 0xAB);
  soft::Surface inner{block.data() + 64 * 5 + 16, 8, 6, 64, 3, true};
  soft::DrawWideLine(inner, {-50, -40}, {60, 50}, 9, kInk);
  soft::DrawEllipse(inner, {-5, -5, 13, 11}, Filled(kInk, kInk, 5));
  soft::FillBox(inner, {-100, 2, 100, 3}, kInk);
  for (std::size_t i = 0; i < block.size(); ++i) {
    const std::size_t row = i / 64;
    const std::size_t column = i % 64;
    if (row >= 5 && row < 11 && column >= 16 && column < 16 + 24) continue;
    ASSERT_EQ(block[i], 0xAB) << row << "," << column;
  }
}

// ---- Copies -----------------------------------------------------------------------

TEST(StretchCopy, EqualSizesCopyExactlyAcrossLayouts) {
  Picture source(37, 23);
  source.Pattern();
  Picture top_down(37, 23, 4, false);
  soft::StretchCopy(top_down.surface(), {0, 0, 37, 23}, source.surface(), {0, 0, 37, 23});
  Picture back(37, 23);
  soft::StretchCopy(back.surface(), {0, 0, 37, 23}, top_down.surface(), {0, 0, 37, 23});
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(top_down.At(x, y), source.At(x, y));
  EXPECT_EQ(back.memory(), source.memory());
  // The unused fourth byte of a 4-byte pixel is written as 0.
  EXPECT_EQ(top_down.surface().Row(3)[4 * 5 + 3], 0);
}

TEST(StretchCopy, ClipsOnBothSides) {
  Picture source(20, 10);
  source.Pattern();
  Picture dest(16, 8);
  // Dest starts left of and above the picture; source reaches past its edge.
  soft::StretchCopy(dest.surface(), {-3, -2, 20, 10}, source.surface(), {4, 1, 20, 10});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int sx = x + 3 + 4;
      const int sy = y + 2 + 1;
      const COLORREF expected = sx < 20 && sy < 10 ? source.At(sx, sy) : 0;
      ASSERT_EQ(dest.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST(StretchCopy, ScalesToTheNearestPixelAndMirrors) {
  Picture source(4, 2);
  source.Pattern();
  Picture doubled(8, 4);
  soft::StretchCopy(doubled.surface(), {0, 0, 8, 4}, source.surface(), {0, 0, 4, 2});
  Picture mirrored(4, 2);
  soft::StretchCopy(mirrored.surface(), {4, 0, -4, 2}, source.surface(), {0, 0, 4, 2});
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(doubled.At(x, y), source.At(x / 2, y / 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(mirrored.At(x, y), source.At(3 - x, y));
}

TEST(StretchCopy, WithinOnePictureReadsTheOriginalPixels) {
  Picture picture(10, 10);
  picture.Pattern();
  Picture original(10, 10);
  soft::StretchCopy(original.surface(), {0, 0, 10, 10}, picture.surface(), {0, 0, 10, 10});
  soft::StretchCopy(picture.surface(), {1, 1, 9, 9}, picture.surface(), {0, 0, 9, 9});
  for (int y = 1; y < 10; ++y)
    for (int x = 1; x < 10; ++x) ASSERT_EQ(picture.At(x, y), original.At(x - 1, y - 1));
}

TEST(FocusFrame, IsDottedAndUndoneByDrawingItAgain) {
  Picture picture(10, 8);
  soft::InvertDottedFrame(picture.surface(), {1, 1, 9, 7});
  EXPECT_EQ(picture.At(1, 1), 0xFFFFFFu);
  EXPECT_FALSE(picture.Set(2, 1));
  EXPECT_TRUE(picture.Set(3, 1));
  EXPECT_TRUE(picture.Set(8, 6));
  EXPECT_FALSE(picture.Set(4, 4));
  EXPECT_FALSE(picture.Set(9, 7));
  soft::InvertDottedFrame(picture.surface(), {1, 1, 9, 7});
  EXPECT_EQ(picture.Count(), 0);
}

}  // namespace
