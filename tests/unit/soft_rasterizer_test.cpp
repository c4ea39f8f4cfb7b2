// The pixel algorithms on plain surfaces: a copy across layouts, then seeded
// random figures against the rules every figure keeps. What wide lines and
// rings look like is held against the real platform's pixels by gdi_probe.
#include "platform/soft/graphics/rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kInk = 0x3366CC;

// A surface over its own memory, read back pixel by pixel; it starts black.
class Picture {
 public:
  Picture(int width, int height, int bytes_per_pixel = 3, bool bottom_up = true) {
    const int stride = (width * bytes_per_pixel + 3) & ~3;
    memory_.assign(static_cast<std::size_t>(stride) * height, 0);
    std::uint8_t* const top = bottom_up && height > 0 ? memory_.data() + (height - 1) * stride : memory_.data();
    surface_ = {top, width, height, bottom_up ? -stride : stride, bytes_per_pixel};
  }
  const soft::Surface& surface() const { return surface_; }
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = surface_.Row(y) + x * surface_.bytes_per_pixel;
    return RGB(p[2], p[1], p[0]);
  }
  bool Set(int x, int y) const { return At(x, y) != 0; }
  bool Inside(POINT p) const { return p.x >= 0 && p.y >= 0 && p.x < surface_.width && p.y < surface_.height; }

 private:
  std::vector<std::uint8_t> memory_;
  soft::Surface surface_;
};

soft::EllipseStyle Style(int pen_width, bool fill, COLORREF pen = kInk, COLORREF brush = kInk) {
  return {true, pen_width, false, pen, fill, brush};
}

// As from a frame into a window: 3-byte bottom-up rows into 4-byte top-down ones.
TEST(StretchCopy, CopiesExactlyAcrossLayoutsClippedOnBothSides) {
  Picture source(20, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) soft::FillBox(source.surface(), {x, y, x + 1, y + 1}, RGB(x, y, x ^ y));
  Picture dest(16, 8, 4, false);
  // Dest starts left of and above the picture; source reaches past its edge.
  soft::StretchCopy(dest.surface(), {-3, -2, 20, 10}, source.surface(), {4, 1, 20, 10});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int sx = x + 3 + 4, sy = y + 2 + 1;
      ASSERT_EQ(dest.At(x, y), sx < 20 && sy < 10 ? source.At(sx, sy) : 0) << x << "," << y;
    }
  }
}

// ---- Seeded random figures --------------------------------------------------------

// A family of random figures: the picture they are drawn on, the range their
// coordinates come from and the seed that makes them.
struct Family {
  const char* name;
  int width, height;
  int lo, hi;  // coordinates from [lo, hi)
  unsigned seed;
};

void PrintTo(const Family& family, std::ostream* out) { *out << family.name; }

constexpr int kFigures = 300;

class RandomFigures : public testing::TestWithParam<Family> {
 protected:
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi - 1)(random_); }
  POINT Point() { return {Between(GetParam().lo, GetParam().hi), Between(GetParam().lo, GetParam().hi)}; }
  std::mt19937 random_{GetParam().seed};
};

std::string Where(POINT from, POINT to, int x, int y) {
  return std::to_string(from.x) + "," + std::to_string(from.y) + " to " + std::to_string(to.x) + "," +
         std::to_string(to.y) + " at " + std::to_string(x) + "," + std::to_string(y);
}

// One pixel per step along the longer axis, inside the bounding box, the end
// point left out.
TEST_P(RandomFigures, ThinLinesStayInTheirBoundingBoxAndLeaveTheirEndPointOut) {
  const Family& family = GetParam();
  for (int i = 0; i < kFigures; ++i) {
    const POINT from = Point(), to = Point();
    Picture picture(family.width, family.height);
    soft::DrawThinLine(picture.surface(), from, to, kInk);
    const bool steep = std::abs(to.y - from.y) > std::abs(to.x - from.x);
    std::vector<int> per_step(static_cast<std::size_t>(std::max(family.width, family.height)));
    int count = 0;
    for (int y = 0; y < family.height; ++y) {
      for (int x = 0; x < family.width; ++x) {
        if (!picture.Set(x, y)) continue;
        ++count;
        ASSERT_TRUE(x >= std::min(from.x, to.x) && x <= std::max(from.x, to.x)) << Where(from, to, x, y);
        ASSERT_TRUE(y >= std::min(from.y, to.y) && y <= std::max(from.y, to.y)) << Where(from, to, x, y);
        ASSERT_EQ(++per_step[static_cast<std::size_t>(steep ? y : x)], 1) << Where(from, to, x, y);
      }
    }
    if (picture.Inside(to)) {
      ASSERT_FALSE(picture.Set(to.x, to.y)) << Where(from, to, to.x, to.y);
    }
    if (picture.Inside(from) && picture.Inside(to)) {
      ASSERT_EQ(picture.Set(from.x, from.y), from.x != to.x || from.y != to.y) << Where(from, to, from.x, from.y);
      ASSERT_EQ(count, std::max(std::abs(to.x - from.x), std::abs(to.y - from.y))) << Where(from, to, 0, 0);
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
    Picture whole(width, height), framed(width, height);
    const soft::Surface& full = framed.surface();
    const soft::Surface part{full.Row(kMargin) + kMargin * 3, family.width, family.height, full.stride, 3};
    const int kind = i % 5;
    const int pen = kind % 2 == 0 ? Between(0, 2) : Between(2, 20);
    const POINT a = Point(), b = Point();
    const auto draw = [&](const soft::Surface& surface, int shift) {
      const POINT from{a.x + shift, a.y + shift}, to{b.x + shift, b.y + shift};
      const soft::Box box{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                          std::max(from.y, to.y)};
      if (kind < 2) soft::DrawWideLine(surface, from, to, pen, kInk);
      if (kind == 2 || kind == 3) soft::DrawEllipse(surface, box, Style(pen, kind == 3, kInk, 0x00FF00));
      if (kind == 4) soft::FillBox(surface, box, kInk);
    };
    draw(whole.surface(), kMargin);
    draw(part, 0);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool in_part = x >= kMargin && y >= kMargin && x < kMargin + family.width && y < kMargin + family.height;
        ASSERT_EQ(framed.At(x, y), in_part ? whole.At(x, y) : 0)
            << "figure " << i << " pen " << pen << " " << Where(a, b, x, y);
      }
    }
  }
}

// Ellipses are mirror images of themselves about both axes of their box (with
// a pen of even width, about the axes half a pixel up and left, where its
// extra pixel goes); a one-pixel outline stays inside the box, right and
// bottom edges excluded, and with the fill covers what the fill alone covers.
// Their exact pixels are held against the real platform's by gdi_probe.
TEST_P(RandomFigures, EllipsesAreSymmetricAndThinOnesKeepInsideTheirBox) {
  const Family& family = GetParam();
  constexpr int kReach = 10;  // half the widest pen
  for (int i = 0; i < kFigures; ++i) {
    const int w = Between(0, (i % 3 == 0 ? std::min(family.width, family.height) : family.width) - 2 * kReach);
    const int h = i % 3 == 0 ? w : Between(0, family.height - 2 * kReach);
    const int left = Between(kReach, family.width - kReach - w + 1);
    const int top = Between(kReach, family.height - kReach - h + 1);
    const int pen = i % 2 == 0 ? Between(0, 2) : Between(2, 20);
    const bool filled = i % 4 < 2;
    Picture picture(family.width, family.height), fill_only(family.width, family.height);
    soft::DrawEllipse(picture.surface(), {left, top, left + w, top + h}, Style(pen, filled, kInk, 0x00FF00));
    soft::EllipseStyle no_pen = Style(pen, true);
    no_pen.outline = false;
    soft::DrawEllipse(fill_only.surface(), {left, top, left + w, top + h}, no_pen);
    const std::string figure = std::to_string(w) + "x" + std::to_string(h) + " pen " + std::to_string(pen);
    for (int y = 0; y < family.height; ++y) {
      for (int x = 0; x < family.width; ++x) {
        const COLORREF here = picture.At(x, y);
        const int shift = pen > 1 && pen % 2 == 0 ? 1 : 0;
        const POINT across{2 * left + w - 1 - shift - x, y}, down{x, 2 * top + h - 1 - shift - y};
        ASSERT_EQ(here, picture.Inside(across) ? picture.At(across.x, across.y) : 0) << figure << " at " << x << "," << y;
        ASSERT_EQ(here, picture.Inside(down) ? picture.At(down.x, down.y) : 0) << figure << " at " << x << "," << y;
        ASSERT_TRUE(pen > 1 || !filled || (here != 0) == fill_only.Set(x, y)) << figure << " at " << x << "," << y;
        if (pen > 1 || here == 0) continue;
        ASSERT_TRUE(x >= left && x < left + w && y >= top && y < top + h) << figure << " at " << x << "," << y;
      }
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
