// Ellipses inscribed in their boxes: one-pixel and wide outlines, fills.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/soft/graphics/rasterizer.h"
#include "platform/soft/graphics/rasterizer_pixels.h"

namespace soft {
namespace {

using pixels::CeilDiv;
using pixels::FillRun;
using pixels::FloorDiv;
using pixels::PixelAt;
using pixels::Usable;
using std::int64_t;
using std::uint64_t;

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

// ---- One-pixel outlines -----------------------------------------------------------
// The outline is the curve through the centres of the box's outermost pixels:
// in doubled coordinates its semi-axes are a = width - 1 and b = height - 1
// about the centre of the pixels the box covers. Every row of the box gets
// the pixel nearest to each of its two crossings, and so does every column,
// which keeps the outline connected on its flat and its steep parts; a
// crossing half-way between two pixels takes the one nearer the centre.

__extension__ typedef unsigned __int128 Wide;  // exact squares of 32-bit extents

struct Crossings {
  int64_t low;
  int64_t high;
};

// Where the line at doubled offset d from the centre (|d| <= b) crosses the
// curve along the other axis, whose box edges sum to `sum`: the pixels
// (sum - u) / 2 and its mirror, with u the least distance of the right parity
// that reaches the curve, u b >= a sqrt(b^2 - d^2).
Crossings Cross(int64_t sum, int64_t a, int64_t b, int64_t d) {
  int64_t u = 0;
  if (b == 0) {
    u = a;
  } else {
    const auto reaches = [&](int64_t v) {
      const Wide left = static_cast<Wide>(v) * static_cast<Wide>(v) * static_cast<Wide>(b) * static_cast<Wide>(b);
      const Wide chord = static_cast<Wide>(b - std::abs(d)) * static_cast<Wide>(b + std::abs(d));
      return left >= static_cast<Wide>(a) * static_cast<Wide>(a) * chord;
    };
    const long double estimate = static_cast<long double>(a) *
                                 std::sqrt(static_cast<long double>(b - std::abs(d)) * (b + std::abs(d))) / b;
    u = static_cast<int64_t>(std::ceil(estimate));
    if ((u - sum) % 2 != 0) ++u;
    while (!reaches(u)) u += 2;
    while (u >= 2 && reaches(u - 2)) u -= 2;
  }
  if ((u - sum) % 2 != 0) ++u;
  const int64_t low = FloorDiv(sum - u, 2);
  return {low, sum - 1 - low};
}

// Calls put(x, y) for every pixel of the box's one-pixel curve that lies
// within `reach` of the surface. A one-pixel box's curve is its pixel.
template <typename Put>
void ForEachCurvePixel(const Surface& surface, const Box& box, int64_t reach, Put put) {
  const int64_t sum_x = box.left + box.right;
  const int64_t sum_y = box.top + box.bottom;
  const int64_t a = box.right - box.left - 1;
  const int64_t b = box.bottom - box.top - 1;
  const int64_t y_last = std::min<int64_t>(box.bottom, surface.height + reach) - 1;
  for (int64_t y = std::max<int64_t>(box.top, -reach); y <= y_last; ++y) {
    const Crossings row = Cross(sum_x, a, b, 2 * y + 1 - sum_y);
    put(row.low, y);
    put(row.high, y);
  }
  const int64_t x_last = std::min<int64_t>(box.right, surface.width + reach) - 1;
  for (int64_t x = std::max<int64_t>(box.left, -reach); x <= x_last; ++x) {
    const Crossings column = Cross(sum_y, b, a, 2 * x + 1 - sum_x);
    put(x, column.low);
    put(x, column.high);
  }
}

// Each row of the box between its two crossings of the curve.
void FillInside(const Surface& surface, const Box& box, COLORREF color) {
  const int64_t y_last = std::min<int64_t>(box.bottom, surface.height) - 1;
  for (int64_t y = std::max<int64_t>(box.top, 0); y <= y_last; ++y) {
    const Crossings row = Cross(box.left + box.right, box.right - box.left - 1, box.bottom - box.top - 1,
                                2 * y + 1 - (box.top + box.bottom));
    FillRun(surface, y, row.low + 1, row.high - 1, color);
  }
}

// The one-pixel outline in the pen's colour, after the inside in the brush's;
// without a pen the brush's colour covers the outline too. A one-pixel box
// draws nothing.
void DrawThinEllipse(const Surface& surface, const Box& box, const EllipseStyle& style) {
  if (box.right - box.left == 1 && box.bottom - box.top == 1) return;
  if (style.fill) FillInside(surface, box, style.fill_color);
  const COLORREF outline = style.outline ? style.pen_color : style.fill_color;
  ForEachCurvePixel(surface, box, 0, [&](int64_t x, int64_t y) { pixels::PutClipped(surface, x, y, outline); });
}

// A round pen's dab: the filled one-pixel circle as wide as the pen, centred
// on the pen's pixel (the extra pixel of an even width left of and above it).
class RoundPen {
 public:
  explicit RoundPen(int64_t width) : top_(-(width / 2)) {
    const Box dot{top_, top_, top_ + width, top_ + width};
    rows_.assign(static_cast<std::size_t>(width), Crossings{0, -1});
    ForEachCurvePixel(Surface{}, dot, width, [&](int64_t x, int64_t y) {
      Crossings& row = rows_[static_cast<std::size_t>(y - top_)];
      if (row.low > row.high) row = {x, x};
      row = {std::min(row.low, x), std::max(row.high, x)};
    });
  }
  void Dab(const Surface& surface, int64_t x, int64_t y, COLORREF color) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      FillRun(surface, y + top_ + static_cast<int64_t>(i), x + rows_[i].low, x + rows_[i].high, color);
    }
  }

 private:
  int64_t top_;
  std::vector<Crossings> rows_;
};

// Pens up to this width are dabbed along the curve; wider ones draw the ring
// between the ellipses half their width outside and inside it, whose cost
// does not grow with the width.
constexpr int kWidestRoundPen = 64;

// A wide outline: the pen dabbed on every pixel of the one-pixel curve, after
// the inside in the brush's colour.
void DrawRoundPenEllipse(const Surface& surface, const Box& box, const EllipseStyle& style) {
  if (style.fill) FillInside(surface, box, style.fill_color);
  const RoundPen pen(style.pen_width);
  ForEachCurvePixel(surface, box, style.pen_width,
                    [&](int64_t x, int64_t y) { pen.Dab(surface, x, y, style.pen_color); });
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

}  // namespace

void DrawEllipse(const Surface& surface, const Box& box, const EllipseStyle& style) {
  if (!Usable(surface) || box.Empty()) return;
  const DoubledEllipse e{box.left + box.right, box.top + box.bottom, box.right - box.left,
                         box.bottom - box.top};
  if (style.outline && style.pen_width > 1 && style.pen_width <= kWidestRoundPen && !style.inside_frame) {
    DrawRoundPenEllipse(surface, box, style);
  } else if (style.outline && style.pen_width > 1) {
    DrawWideEllipse(surface, e, style);
  } else {
    DrawThinEllipse(surface, box, style);
  }
}

}  // namespace soft
