// One-pixel lines and wide strokes with round ends.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/soft/graphics/rasterizer.h"
#include "platform/soft/graphics/rasterizer_pixels.h"

namespace soft {
namespace {

using pixels::FillRun;
using pixels::VisibleSteps;
using pixels::PixelAt;
using pixels::PutPixel;
using pixels::Usable;
using std::int64_t;
using std::uint64_t;

// A double coordinate as an integer within [lo, hi], safe for any magnitude.
int64_t ClampToInt(double value, int64_t lo, int64_t hi) {
  if (!(value > static_cast<double>(lo))) return lo;
  if (!(value < static_cast<double>(hi))) return hi;
  return static_cast<int64_t>(value);
}

// ---- One-pixel lines ----------------------------------------------------------
// The line walks its major axis one pixel per step; the minor coordinate of
// step i is computed directly (rounded to the nearest pixel), so a clipped
// line starts anywhere without walking the invisible part.

// The exact minor coordinate is rounded to the nearest pixel, and a tie goes
// to the smaller coordinate: forwards a tie stays, backwards it steps.
int64_t MinorOffset(uint64_t step, uint64_t minor, uint64_t major, int minor_sign) {
  const uint64_t product = step * minor;  // step < major and minor <= major < 2^32
  const uint64_t twice_remainder = 2 * (product % major);
  const bool up = minor_sign > 0 ? twice_remainder > major : twice_remainder >= major;
  return static_cast<int64_t>(product / major + (up ? 1 : 0));
}

// ---- Wide lines -----------------------------------------------------------------
// The stroke is a capsule: every point within radius of the segment. Each row
// of a capsule is one interval, the hull of the row's intervals in the two end
// discs and in the body between them.

struct Interval {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  void Merge(double a, double b) {
    lo = std::min(lo, a);
    hi = std::max(hi, b);
  }
};

struct Capsule {
  double x0, y0, x1, y1, radius;
};

void AddDiscRow(Interval& row, double cx, double cy, double radius, double y) {
  const double d = y - cy;
  if (std::abs(d) >= radius) return;
  const double half = std::sqrt(radius * radius - d * d);
  row.Merge(cx - half, cx + half);
}

void AddBodyRow(Interval& row, const Capsule& c, double y) {
  const double dx = c.x1 - c.x0;
  const double dy = c.y1 - c.y0;
  const double length = std::hypot(dx, dy);
  if (length == 0) return;
  const double v = y - c.y0;
  if (dy == 0) {
    if (std::abs(v) < c.radius) row.Merge(std::min(c.x0, c.x1), std::max(c.x0, c.x1));
    return;
  }
  // Distance from the line: |(x - x0) dy - v dx| / length < radius.
  double lo = c.x0 + (v * dx - c.radius * length) / dy;
  double hi = c.x0 + (v * dx + c.radius * length) / dy;
  if (lo > hi) std::swap(lo, hi);
  // Projection onto the segment: 0 <= (x - x0) dx + v dy <= length^2.
  if (dx == 0) {
    if (v * dy < 0 || v * dy > length * length) return;
  } else {
    double a = c.x0 - v * dy / dx;
    double b = c.x0 + (length * length - v * dy) / dx;
    if (a > b) std::swap(a, b);
    lo = std::max(lo, a);
    hi = std::min(hi, b);
  }
  if (lo < hi) row.Merge(lo, hi);
}

}  // namespace

void DrawThinLine(const Surface& surface, POINT from, POINT to, COLORREF color) {
  if (!Usable(surface)) return;
  const int64_t dx = int64_t{to.x} - from.x;
  const int64_t dy = int64_t{to.y} - from.y;
  if (dx == 0 && dy == 0) return;
  const bool x_major = std::abs(dx) >= std::abs(dy);
  const int64_t major = x_major ? std::abs(dx) : std::abs(dy);
  const int64_t minor = x_major ? std::abs(dy) : std::abs(dx);
  const int major_sign = (x_major ? dx : dy) < 0 ? -1 : 1;
  const int minor_sign = (x_major ? dy : dx) < 0 ? -1 : 1;
  const int64_t major_start = x_major ? from.x : from.y;
  const int64_t minor_start = x_major ? from.y : from.x;
  const int64_t minor_limit = x_major ? surface.height : surface.width;
  const auto [first, last] =
      VisibleSteps(major_start, major_sign, major, x_major ? surface.width : surface.height);
  for (int64_t i = first; i < last; ++i) {
    const int64_t m = major_start + major_sign * i;
    const int64_t k = minor_start + minor_sign * MinorOffset(static_cast<uint64_t>(i),
                                                             static_cast<uint64_t>(minor),
                                                             static_cast<uint64_t>(major), minor_sign);
    if (k < 0 || k >= minor_limit) continue;
    PutPixel(x_major ? PixelAt(surface, m, k) : PixelAt(surface, k, m), surface.bytes_per_pixel, color);
  }
}

// Odd widths centre the stroke on the pixel centres of the path, even widths
// between them (the pixel's sample point moves by half a pixel), so that a
// stroke of width w covers exactly w rows or columns where it runs straight.
void DrawWideLine(const Surface& surface, POINT from, POINT to, int width, COLORREF color) {
  if (width <= 1) {
    DrawThinLine(surface, from, to, color);
    return;
  }
  if (!Usable(surface)) return;
  const Capsule capsule{static_cast<double>(from.x), static_cast<double>(from.y), static_cast<double>(to.x),
                        static_cast<double>(to.y), width / 2.0};
  const double sample = width % 2 == 0 ? 0.5 : 0.0;
  const double top = std::min(capsule.y0, capsule.y1) - capsule.radius - sample;
  const double bottom = std::max(capsule.y0, capsule.y1) + capsule.radius - sample;
  const int64_t y_first = ClampToInt(std::floor(top) + 1, 0, surface.height);
  const int64_t y_last = ClampToInt(std::ceil(bottom) - 1, -1, surface.height - 1);
  for (int64_t y = y_first; y <= y_last; ++y) {
    Interval row;
    const double ys = static_cast<double>(y) + sample;
    AddDiscRow(row, capsule.x0, capsule.y0, capsule.radius, ys);
    AddDiscRow(row, capsule.x1, capsule.y1, capsule.radius, ys);
    AddBodyRow(row, capsule, ys);
    if (!(row.lo < row.hi)) continue;
    const int64_t x_first = ClampToInt(std::floor(row.lo - sample) + 1, -1, surface.width);
    const int64_t x_last = ClampToInt(std::ceil(row.hi - sample) - 1, -1, surface.width);
    FillRun(surface, y, x_first, x_last, color);
  }
}

}  // namespace soft
