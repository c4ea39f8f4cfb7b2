// The pixel algorithms on plain surfaces: one-pixel and wide lines, ellipses
// and rings, copies, and clipping of coordinates of any size; then seeded
// random figures against the rules every figure keeps.
#include "platform/soft/graphics/rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kInk = 0x3366CC;
constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

// A surface over its own memory, read back pixel by pixel; it starts black.
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
  bool Set(int x, int y) const { return At(x, y) != 0; }
  int Count() const {
    int count = 0;
    for (int y = 0; y < surface_.height; ++y)
      for (int x = 0; x < surface_.width; ++x) count += Set(x, y) ? 1 : 0;
    return count;
  }
  // Every pixel gets a colour made from its position.
  void Pattern() {
    for (int y = 0; y < surface_.height; ++y)
      for (int x = 0; x < surface_.width; ++x) soft::FillBox(surface_, {x, y, x + 1, y + 1}, RGB(x, y, x ^ y));
  }

 private:
  std::vector<std::uint8_t> memory_;
  soft::Surface surface_;
};

soft::EllipseStyle Style(int pen_width, bool fill, COLORREF pen = kInk, COLORREF brush = kInk) {
  return {true, pen_width, false, pen, fill, brush};
}

// The frame's interference lines: a shallow slope, one pixel per column.
TEST(ThinLine, ShallowSlopeDrawsOnePixelPerColumn) {
  Picture shallow(64, 48);
  soft::DrawThinLine(shallow.surface(), {0, 30}, {64, 40}, kInk);
  for (int x = 0; x < 64; ++x) {
    int in_column = 0;
    for (int y = 0; y < 48; ++y) in_column += shallow.Set(x, y) ? 1 : 0;
    EXPECT_EQ(in_column, 1) << x;
  }
  EXPECT_TRUE(shallow.Set(0, 30));
  EXPECT_TRUE(shallow.Set(63, 40));
}

TEST(WideLine, IsCentredOnItsPathWithRoundEnds) {
  Picture picture(20, 11);
  soft::DrawWideLine(picture.surface(), {5, 5}, {14, 5}, 5, kInk);
  // Two rows either side of the path; the ends reach 2 pixels past the end
  // points on the path and only 1 pixel two rows away from it.
  for (int y = 0; y < 11; ++y) {
    const int reach = std::abs(y - 5) <= 1 ? 2 : (std::abs(y - 5) == 2 ? 1 : -100);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(picture.Set(x, y), x >= 5 - reach && x <= 14 + reach) << x << "," << y;
  }
  for (int width = 2; width <= 9; ++width) {
    Picture across(30, 30);
    Picture diagonal(30, 30);
    soft::DrawWideLine(across.surface(), {3, 15}, {27, 15}, width, kInk);
    soft::DrawWideLine(diagonal.surface(), {4, 4}, {25, 25}, width, kInk);
    int rows = 0;
    for (int y = 0; y < 30; ++y) rows += across.Set(15, y) ? 1 : 0;
    EXPECT_EQ(rows, width);
    EXPECT_TRUE(across.Set(15, 15 - width / 2)) << width;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) ASSERT_EQ(diagonal.Set(x, y), diagonal.Set(y, x)) << width;
  }
}

TEST(Ellipse, EmptyAndOnePixelBoxesDrawNothing) {
  Picture empty(10, 10);
  soft::DrawEllipse(empty.surface(), {10, 10, 10, 10}, Style(4, true));
  soft::DrawEllipse(empty.surface(), {2, 2, 2, 8}, Style(4, true));
  soft::DrawEllipse(empty.surface(), {2, 2, 8, 2}, Style(1, true));
  soft::DrawEllipse(empty.surface(), {4, 4, 5, 5}, Style(1, true));  // a one-pixel box draws nothing
  EXPECT_EQ(empty.Count(), 0);
}

TEST(Ellipse, OutlineAndFillTileTheShapeWithoutOverlap) {
  Picture outlined(24, 18);
  Picture plain(24, 18);
  soft::EllipseStyle no_pen = Style(1, true);
  no_pen.outline = false;
  soft::DrawEllipse(outlined.surface(), {1, 2, 23, 17}, Style(1, true, 0x0000FF, 0x00FF00));
  soft::DrawEllipse(plain.surface(), {1, 2, 23, 17}, no_pen);
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(outlined.Set(x, y), plain.Set(x, y)) << x << "," << y;
  EXPECT_EQ(outlined.At(12, 9), 0x00FF00u);
  EXPECT_EQ(outlined.At(1, 9), 0x0000FFu);
  EXPECT_EQ(outlined.At(12, 2), 0x0000FFu);
}

TEST(Ellipse, WideOutlineIsARingCentredOnTheCurve) {
  Picture ring(80, 80);
  soft::DrawEllipse(ring.surface(), {20, 20, 60, 60}, Style(4, false));
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 80; ++x) {
      // The curve runs through the centres of the box's outermost pixels.
      const double off_curve = std::abs(std::hypot(x + 0.5 - 40, y + 0.5 - 40) - 19.5);
      // An even pen puts its extra pixel left of and above the curve.
      ASSERT_TRUE(off_curve >= 1.0 || ring.Set(x, y)) << x << "," << y;
      ASSERT_TRUE(off_curve <= 3.0 || !ring.Set(x, y)) << x << "," << y;
    }
  }
}

// Work proportional to the coordinates instead of the surface would not end
// within the test's time limit.
TEST(Clipping, HugeCoordinatesCostNoMoreThanTheSurface) {
  Picture picture(64, 48);
  soft::DrawThinLine(picture.surface(), {kMin, kMin}, {kMax, kMax}, kInk);
  for (int y = 0; y < 48; ++y) EXPECT_TRUE(picture.Set(y, y)) << y;
  EXPECT_EQ(picture.Count(), 48);

  soft::DrawWideLine(picture.surface(), {kMin, kMax}, {kMax, kMin}, 7, kInk);
  soft::DrawWideLine(picture.surface(), {kMin, 10}, {kMax, 10}, kMax, kInk);
  soft::DrawEllipse(picture.surface(), {kMin, kMin, kMax, kMax}, Style(9, true));
  soft::DrawEllipse(picture.surface(), {kMin, kMin, kMax, kMax}, Style(kMax, true));
  soft::DrawEllipse(picture.surface(), {kMin, 0, kMax, 40}, Style(1, true));
  soft::FillBox(picture.surface(), {kMin, kMin, kMax, kMax}, kInk);
  soft::InvertDottedFrame(picture.surface(), {kMin, kMin, kMax, kMax});
  soft::StretchCopy(picture.surface(), {kMin, kMin, kMax, kMax}, picture.surface(), {0, 0, 64, 48});
  soft::StretchCopy(picture.surface(), {0, 0, 64, 48}, picture.surface(), {kMin, kMin, kMin, kMin});
}

TEST(Clipping, NothingOutsideTheSurfaceIsWritten) {
  // The picture sits inside a larger block; the margins must stay untouched.
  std::vector<std::uint8_t> block(64 * 20, 0xAB);
  soft::Surface inner{block.data() + 64 * 5 + 16, 8, 6, 64, 3, true};
  soft::DrawWideLine(inner, {-50, -40}, {60, 50}, 9, kInk);
  soft::DrawEllipse(inner, {-5, -5, 13, 11}, Style(5, true));
  soft::FillBox(inner, {-100, 2, 100, 3}, kInk);
  for (std::size_t i = 0; i < block.size(); ++i) {
    const std::size_t row = i / 64;
    const std::size_t column = i % 64;
    const bool inside = row >= 5 && row < 11 && column >= 16 && column < 16 + 24;
    ASSERT_TRUE(inside || block[i] == 0xAB) << row << "," << column;
  }
}

// As from a frame into a window: 3-byte bottom-up rows into 4-byte top-down ones.
TEST(StretchCopy, CopiesExactlyAcrossLayoutsClippedOnBothSides) {
  Picture source(20, 10);
  source.Pattern();
  Picture dest(16, 8, 4, false);
  // Dest starts left of and above the picture; source reaches past its edge.
  soft::StretchCopy(dest.surface(), {-3, -2, 20, 10}, source.surface(), {4, 1, 20, 10});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int sx = x + 3 + 4;
      const int sy = y + 2 + 1;
      ASSERT_EQ(dest.At(x, y), sx < 20 && sy < 10 ? source.At(sx, sy) : 0) << x << "," << y;
    }
  }
}

// ---- Seeded random figures --------------------------------------------------------

// A family of random figures: the picture they are drawn on, the range their
// coordinates come from and the seed that makes them.
struct Family {
  const char* name;
  int width;
  int height;
  int lo;  // coordinates from [lo, hi)
  int hi;
  unsigned seed;
};

void PrintTo(const Family& family, std::ostream* out) { *out << family.name; }

constexpr int kFigures = 300;

class RandomFigures : public testing::TestWithParam<Family> {
 protected:
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi - 1)(random_); }
  int Coordinate() { return Between(GetParam().lo, GetParam().hi); }
  std::mt19937 random_{GetParam().seed};
};

bool Inside(const Picture& picture, POINT p) {
  return p.x >= 0 && p.y >= 0 && p.x < picture.surface().width && p.y < picture.surface().height;
}

TEST_P(RandomFigures, ThinLinesStayInTheirBoundingBoxAndLeaveTheirEndPointOut) {
  const Family& family = GetParam();
  for (int i = 0; i < kFigures; ++i) {
    const POINT from{Coordinate(), Coordinate()};
    const POINT to{Coordinate(), Coordinate()};
    Picture picture(family.width, family.height);
    soft::DrawThinLine(picture.surface(), from, to, kInk);
    const std::string line = std::to_string(from.x) + "," + std::to_string(from.y) + " to " +
                             std::to_string(to.x) + "," + std::to_string(to.y);
    int count = 0;
    for (int y = 0; y < family.height; ++y) {
      for (int x = 0; x < family.width; ++x) {
        if (!picture.Set(x, y)) continue;
        ++count;
        ASSERT_TRUE(x >= std::min(from.x, to.x) && x <= std::max(from.x, to.x)) << line << " at " << x << "," << y;
        ASSERT_TRUE(y >= std::min(from.y, to.y) && y <= std::max(from.y, to.y)) << line << " at " << x << "," << y;
      }
    }
    if (Inside(picture, to)) {
      ASSERT_FALSE(picture.Set(to.x, to.y)) << line;
    }
    if (Inside(picture, from) && Inside(picture, to)) {
      ASSERT_EQ(picture.Set(from.x, from.y), from.x != to.x || from.y != to.y) << line;
      ASSERT_EQ(count, std::max(std::abs(to.x - from.x), std::abs(to.y - from.y))) << line;
    }
  }
}

// A figure drawn on a surface that is part of a larger picture writes there
// exactly what it writes on the larger picture, and nothing around it.
TEST_P(RandomFigures, ClippingCropsTheFigureAndWritesNothingOutside) {
  const Family& family = GetParam();
  constexpr int kMargin = 24;
  const int width = family.width + 2 * kMargin;
  const int height = family.height + 2 * kMargin;
  for (int i = 0; i < kFigures; ++i) {
    Picture whole(width, height);
    Picture framed(width, height);
    const soft::Surface& full = framed.surface();
    const soft::Surface part{full.bits + kMargin * full.stride + kMargin * 3, family.width, family.height,
                             full.stride, 3, true};
    const int kind = i % 4;
    const int pen = kind % 2 == 0 ? Between(0, 2) : Between(2, 20);
    const POINT a{Coordinate(), Coordinate()};
    const POINT b{Coordinate(), Coordinate()};
    const auto draw = [&](const soft::Surface& surface, int shift) {
      const POINT from{a.x + shift, a.y + shift};
      const POINT to{b.x + shift, b.y + shift};
      if (kind < 2) {
        soft::DrawWideLine(surface, from, to, pen, kInk);
      } else {
        const soft::Box box{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                            std::max(from.y, to.y)};
        soft::DrawEllipse(surface, box, Style(pen, kind == 3, kInk, 0x00FF00));
      }
    };
    draw(whole.surface(), kMargin);
    draw(part, 0);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool in_part = x >= kMargin && y >= kMargin && x < kMargin + family.width && y < kMargin + family.height;
        ASSERT_EQ(framed.At(x, y), in_part ? whole.At(x, y) : 0)
            << "figure " << i << " pen " << pen << " from " << a.x << "," << a.y << " to " << b.x << "," << b.y
            << " at " << x << "," << y;
      }
    }
  }
}

// Ellipses are mirror images of themselves about both axes of their box (with
// a pen of even width, about the axes half a pixel up and left, where its
// extra pixel goes); a one-pixel outline stays inside the box, right and
// bottom edges excluded, and touches all four sides.
TEST_P(RandomFigures, EllipsesAreSymmetricAndThinOnesKeepInsideTheirBox) {
  const Family& family = GetParam();
  constexpr int kReach = 10;  // half the widest pen
  for (int i = 0; i < kFigures; ++i) {
    const int w = Between(0, (i % 3 == 0 ? std::min(family.width, family.height) : family.width) - 2 * kReach);
    const int h = i % 3 == 0 ? w : Between(0, family.height - 2 * kReach);
    const int left = Between(kReach, family.width - kReach - w + 1);
    const int top = Between(kReach, family.height - kReach - h + 1);
    const int pen = i % 2 == 0 ? Between(0, 2) : Between(2, 20);
    Picture picture(family.width, family.height);
    soft::DrawEllipse(picture.surface(), {left, top, left + w, top + h}, Style(pen, i % 4 < 2, kInk, 0x00FF00));
    const std::string figure = std::to_string(w) + "x" + std::to_string(h) + " pen " + std::to_string(pen);
    bool sides[4] = {};
    for (int y = 0; y < family.height; ++y) {
      for (int x = 0; x < family.width; ++x) {
        const COLORREF here = picture.At(x, y);
        const int shift = pen > 1 && pen % 2 == 0 ? 1 : 0;
        const POINT across{2 * left + w - 1 - shift - x, y};
        const POINT down{x, 2 * top + h - 1 - shift - y};
        ASSERT_EQ(here, Inside(picture, across) ? picture.At(across.x, across.y) : 0) << figure << " at " << x << "," << y;
        ASSERT_EQ(here, Inside(picture, down) ? picture.At(down.x, down.y) : 0) << figure << " at " << x << "," << y;
        if (pen > 1 || here == 0) continue;
        ASSERT_TRUE(x >= left && x < left + w && y >= top && y < top + h) << figure << " at " << x << "," << y;
        ASSERT_TRUE(w != h || here == picture.At(left + y - top, top + x - left)) << figure << " at " << x << "," << y;
        sides[0] |= x == left, sides[1] |= x == left + w - 1, sides[2] |= y == top, sides[3] |= y == top + h - 1;
      }
    }
    if (pen <= 1 && w > 0 && h > 0 && w + h > 2) {
      EXPECT_TRUE(sides[0] && sides[1] && sides[2] && sides[3]) << figure;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Families, RandomFigures,
                         testing::Values(Family{"SmallPicture", 40, 30, -10, 50, 1},
                                         Family{"AcrossTheEdges", 64, 48, -80, 144, 2},
                                         Family{"FarOutside", 32, 24, -100000, 100000, 3},
                                         Family{"Frame", 320, 240, -20, 340, 4}),
                         [](const testing::TestParamInfo<Family>& param) { return std::string(param.param.name); });

}  // namespace
