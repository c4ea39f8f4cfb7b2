#include "platform/soft/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "platform/soft/pixel_convert.h"

namespace soft {
namespace {

using std::int64_t;
using std::uint64_t;

bool Usable(const Surface& surface) {
  return !surface.Empty() && surface.stride > 0 &&
         (surface.bytes_per_pixel == 3 || surface.bytes_per_pixel == 4);
}

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  const int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// A double coordinate as an integer within [lo, hi], safe for any magnitude.
int64_t ClampToInt(double value, int64_t lo, int64_t hi) {
  if (!(value > static_cast<double>(lo))) return lo;
  if (!(value < static_cast<double>(hi))) return hi;
  return static_cast<int64_t>(value);
}

std::uint8_t* PixelAt(const Surface& surface, int64_t x, int64_t y) {
  return surface.Row(static_cast<int>(y)) + x * surface.bytes_per_pixel;
}

void PutPixel(std::uint8_t* pixel, int bytes_per_pixel, COLORREF color) {
  pixel[0] = static_cast<std::uint8_t>(color >> 16);
  pixel[1] = static_cast<std::uint8_t>(color >> 8);
  pixel[2] = static_cast<std::uint8_t>(color);
  if (bytes_per_pixel == 4) pixel[3] = 0;
}

// Pixels lo to hi (both included) of row y, clipped to the surface.
void FillRun(const Surface& surface, int64_t y, int64_t lo, int64_t hi, COLORREF color) {
  if (y < 0 || y >= surface.height) return;
  lo = std::max<int64_t>(lo, 0);
  hi = std::min<int64_t>(hi, surface.width - 1);
  if (hi < lo) return;
  std::uint8_t* pixel = PixelAt(surface, lo, y);
  const int64_t count = hi - lo + 1;
  const auto red = static_cast<std::uint8_t>(color);
  const bool grey = red == static_cast<std::uint8_t>(color >> 8) && red == static_cast<std::uint8_t>(color >> 16);
  if (grey && surface.bytes_per_pixel == 3) {
    std::memset(pixel, red, static_cast<std::size_t>(count) * 3);
    return;
  }
  for (int64_t i = 0; i < count; ++i, pixel += surface.bytes_per_pixel) {
    PutPixel(pixel, surface.bytes_per_pixel, color);
  }
}

// ---- One-pixel lines ----------------------------------------------------------
// The line walks its major axis one pixel per step; the minor coordinate of
// step i is computed directly (rounded to the nearest pixel), so a clipped
// line starts anywhere without walking the invisible part.

int64_t MinorOffset(uint64_t step, uint64_t minor, uint64_t major) {
  const uint64_t product = step * minor;  // step < major and minor <= major < 2^32
  const uint64_t remainder = product % major;
  return static_cast<int64_t>(product / major + (2 * remainder >= major ? 1 : 0));
}

// Steps i in [0, count) whose coordinate start + sign * i lies in [0, limit).
std::pair<int64_t, int64_t> VisibleSteps(int64_t start, int sign, int64_t count, int64_t limit) {
  if (sign > 0) return {std::max<int64_t>(0, -start), std::min(count, limit - start)};
  return {std::max<int64_t>(0, start - limit + 1), std::min(count, start + 1)};
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

// ---- Ellipses -------------------------------------------------------------------
// In doubled coordinates every pixel centre is an integer: pixel (x, y) sits
// at X = 2x + 1 - sum_x, Y = 2y + 1 - sum_y from the centre, and is inside
// when (X / a)^2 + (Y / b)^2 <= 1. Rows and their spans come out symmetric.

struct Span {
  int64_t lo = 0;
  int64_t hi = -1;  // both included; hi < lo is empty
  bool Empty() const { return hi < lo; }
};

// The largest k with (k / a)^2 + (y / b)^2 <= 1, for 0 <= y <= b.
int64_t HalfChord(int64_t a, int64_t b, int64_t y) {
  const double estimate = static_cast<double>(a) *
                          std::sqrt(static_cast<double>(b - y) * static_cast<double>(b + y)) /
                          static_cast<double>(b);
  int64_t k = static_cast<int64_t>(std::floor(estimate));
  // Exact where the products fit 64 bits, so that circles are true circles.
  constexpr int64_t kExactLimit = int64_t{1} << 15;
  if (a < kExactLimit && b < kExactLimit) {
    const auto limit = static_cast<uint64_t>(a * a) * static_cast<uint64_t>((b - y) * (b + y));
    const auto b_squared = static_cast<uint64_t>(b * b);
    while (static_cast<uint64_t>((k + 1) * (k + 1)) * b_squared <= limit) ++k;
    while (k > 0 && static_cast<uint64_t>(k * k) * b_squared > limit) --k;
  }
  return k;
}

struct DoubledEllipse {
  int64_t sum_x;
  int64_t sum_y;
  int64_t a;
  int64_t b;

  bool Exists() const { return a > 0 && b > 0; }

  Span Row(int64_t y) const {
    if (!Exists()) return {};
    const int64_t dy = std::abs(2 * y + 1 - sum_y);
    if (dy > b) return {};
    const int64_t k = HalfChord(a, b, dy);
    return {CeilDiv(sum_x - 1 - k, 2), FloorDiv(sum_x - 1 + k, 2)};
  }

  Span Rows() const { return {CeilDiv(sum_y - 1 - b, 2), FloorDiv(sum_y - 1 + b, 2)}; }
};

Span Clipped(Span rows, int limit) {
  return {std::max<int64_t>(rows.lo, 0), std::min<int64_t>(rows.hi, limit - 1)};
}

void FillSpan(const Surface& surface, int64_t y, Span span, COLORREF color) {
  if (!span.Empty()) FillRun(surface, y, span.lo, span.hi, color);
}

// Row y of a ring: the outer span minus the inner one (at most two runs), and
// the inner span filled when asked.
void DrawRingRow(const Surface& surface, int64_t y, Span outer, Span inner, const EllipseStyle& style) {
  if (inner.Empty()) {
    FillSpan(surface, y, outer, style.pen_color);
    return;
  }
  FillRun(surface, y, outer.lo, inner.lo - 1, style.pen_color);
  FillRun(surface, y, inner.hi + 1, outer.hi, style.pen_color);
  if (style.fill) FillSpan(surface, y, inner, style.fill_color);
}

// The pixels inside the ellipse whose four neighbours are all inside too.
Span Interior(const DoubledEllipse& e, int64_t y, Span row) {
  const Span above = e.Row(y - 1);
  const Span below = e.Row(y + 1);
  if (above.Empty() || below.Empty()) return {};
  return {std::max({row.lo + 1, above.lo, below.lo}), std::min({row.hi - 1, above.hi, below.hi})};
}

// One-pixel outline: the inside pixels with a neighbour outside.
void DrawThinEllipse(const Surface& surface, const DoubledEllipse& e, const EllipseStyle& style) {
  const Span rows = Clipped(e.Rows(), surface.height);
  for (int64_t y = rows.lo; y <= rows.hi; ++y) {
    const Span row = e.Row(y);
    if (row.Empty()) continue;
    if (!style.outline) {
      if (style.fill) FillSpan(surface, y, row, style.fill_color);
      continue;
    }
    DrawRingRow(surface, y, row, Interior(e, y, row), style);
  }
}

// Wide outline: the ring between the ellipses half the pen's width outside
// and inside the centre line.
void DrawWideEllipse(const Surface& surface, const DoubledEllipse& e, const EllipseStyle& style) {
  const int64_t w = style.pen_width;  // half the width, doubled
  const int64_t centre_a = style.inside_frame ? e.a - w : e.a;
  const int64_t centre_b = style.inside_frame ? e.b - w : e.b;
  const DoubledEllipse outer{e.sum_x, e.sum_y, centre_a + w, centre_b + w};
  const DoubledEllipse inner{e.sum_x, e.sum_y, centre_a - w, centre_b - w};
  const Span rows = Clipped(outer.Rows(), surface.height);
  for (int64_t y = rows.lo; y <= rows.hi; ++y) {
    const Span row = outer.Row(y);
    if (!row.Empty()) DrawRingRow(surface, y, row, inner.Row(y), style);
  }
}

// ---- Copies ---------------------------------------------------------------------

void CopyPixels(std::uint8_t* dest, int dest_bpp, const std::uint8_t* source, int source_bpp,
                int64_t count) {
  ConvertPixels(dest, dest_bpp, source, source_bpp, count);
}

// One direction of a copy: dest steps [0, length) of `to` and the source
// coordinates they show.
struct Axis {
  int64_t to_start;
  int64_t from_start;
  int64_t to_length;
  int64_t from_length;
  bool mirror;
  int64_t source_limit;

  // Source coordinate of dest step i (nearest pixel centre), or -1 outside.
  int64_t SourceOf(int64_t i) const {
    const uint64_t scaled = static_cast<uint64_t>(2 * i + 1) * static_cast<uint64_t>(from_length) /
                            static_cast<uint64_t>(2 * to_length);
    const auto offset = static_cast<int64_t>(scaled);
    const int64_t s = from_start + (mirror ? from_length - 1 - offset : offset);
    return s >= 0 && s < source_limit ? s : -1;
  }
  bool OneToOne() const { return to_length == from_length && !mirror; }
};

// Makes a negative extent positive; returns whether it was negative.
bool Normalize(int64_t& start, int64_t& length) {
  if (length >= 0) return false;
  start += length;
  length = -length;
  return true;
}

Axis MakeAxis(int64_t to_start, int64_t to_length, int64_t from_start, int64_t from_length,
              int64_t source_limit) {
  const bool flip_to = Normalize(to_start, to_length);
  const bool flip_from = Normalize(from_start, from_length);
  return {to_start, from_start, to_length, from_length, flip_to != flip_from, source_limit};
}

void CopyOneToOne(const Surface& dest, const Axis& cols, const Axis& rows, const Surface& source) {
  const auto [col_lo, col_hi] = VisibleSteps(cols.to_start, 1, cols.to_length, dest.width);
  const auto [src_lo, src_hi] = VisibleSteps(cols.from_start, 1, cols.to_length, source.width);
  const auto [row_lo, row_hi] = VisibleSteps(rows.to_start, 1, rows.to_length, dest.height);
  const int64_t first = std::max(col_lo, src_lo);
  const int64_t last = std::min(col_hi, src_hi);
  if (last <= first) return;
  for (int64_t i = row_lo; i < row_hi; ++i) {
    const int64_t sy = rows.SourceOf(i);
    if (sy < 0) continue;
    CopyPixels(PixelAt(dest, cols.to_start + first, rows.to_start + i), dest.bytes_per_pixel,
               PixelAt(source, cols.from_start + first, sy), source.bytes_per_pixel, last - first);
  }
}

void CopyScaled(const Surface& dest, const Axis& cols, const Axis& rows, const Surface& source) {
  const auto [col_lo, col_hi] = VisibleSteps(cols.to_start, 1, cols.to_length, dest.width);
  const auto [row_lo, row_hi] = VisibleSteps(rows.to_start, 1, rows.to_length, dest.height);
  if (col_hi <= col_lo) return;
  std::vector<int64_t> source_columns(static_cast<std::size_t>(col_hi - col_lo));
  for (int64_t i = col_lo; i < col_hi; ++i) source_columns[static_cast<std::size_t>(i - col_lo)] = cols.SourceOf(i);
  for (int64_t i = row_lo; i < row_hi; ++i) {
    const int64_t sy = rows.SourceOf(i);
    if (sy < 0) continue;
    std::uint8_t* out = PixelAt(dest, cols.to_start + col_lo, rows.to_start + i);
    for (const int64_t sx : source_columns) {
      if (sx >= 0) CopyPixels(out, dest.bytes_per_pixel, PixelAt(source, sx, sy), source.bytes_per_pixel, 1);
      out += dest.bytes_per_pixel;
    }
  }
}

}  // namespace

void FillBox(const Surface& surface, const Box& box, COLORREF color) {
  if (!Usable(surface) || box.Empty()) return;
  const int64_t top = std::max<int64_t>(box.top, 0);
  const int64_t bottom = std::min<int64_t>(box.bottom, surface.height);
  for (int64_t y = top; y < bottom; ++y) FillRun(surface, y, box.left, box.right - 1, color);
}

// The dots are the pixels an even number of steps from the top-left corner.
void InvertDottedFrame(const Surface& surface, const Box& box) {
  if (!Usable(surface) || box.Empty()) return;
  const auto invert = [&](int64_t x, int64_t y) {
    if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
    if (((x - box.left) + (y - box.top)) % 2 != 0) return;
    std::uint8_t* pixel = PixelAt(surface, x, y);
    for (int i = 0; i < 3; ++i) pixel[i] = static_cast<std::uint8_t>(~pixel[i]);
  };
  const int64_t x_lo = std::max<int64_t>(box.left, 0);
  const int64_t x_hi = std::min<int64_t>(box.right, surface.width);
  for (int64_t x = x_lo; x < x_hi; ++x) {
    invert(x, box.top);
    if (box.bottom - 1 != box.top) invert(x, box.bottom - 1);
  }
  const int64_t y_lo = std::max<int64_t>(box.top + 1, 0);
  const int64_t y_hi = std::min<int64_t>(box.bottom - 1, surface.height);
  for (int64_t y = y_lo; y < y_hi; ++y) {
    invert(box.left, y);
    if (box.right - 1 != box.left) invert(box.right - 1, y);
  }
}

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
                                                             static_cast<uint64_t>(major));
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

void DrawEllipse(const Surface& surface, const Box& box, const EllipseStyle& style) {
  if (!Usable(surface) || box.Empty()) return;
  const DoubledEllipse e{box.left + box.right, box.top + box.bottom, box.right - box.left,
                         box.bottom - box.top};
  if (style.outline && style.pen_width > 1) {
    DrawWideEllipse(surface, e, style);
  } else {
    DrawThinEllipse(surface, e, style);
  }
}

void StretchCopy(const Surface& dest, Area to, const Surface& source, Area from) {
  if (!Usable(dest) || !Usable(source)) return;
  if (dest.bits == source.bits) {
    // Copying within one picture: read from a snapshot so that no pixel is
    // read after it was overwritten.
    std::vector<std::uint8_t> snapshot(source.bits,
                                       source.bits + static_cast<std::size_t>(source.stride) * source.height);
    Surface copy = source;
    copy.bits = snapshot.data();
    StretchCopy(dest, to, copy, from);
    return;
  }
  const Axis cols = MakeAxis(to.x, to.width, from.x, from.width, source.width);
  const Axis rows = MakeAxis(to.y, to.height, from.y, from.height, source.height);
  if (cols.to_length == 0 || rows.to_length == 0 || cols.from_length == 0 || rows.from_length == 0) return;
  if (cols.OneToOne()) {
    CopyOneToOne(dest, cols, rows, source);
  } else {
    CopyScaled(dest, cols, rows, source);
  }
}

}  // namespace soft
