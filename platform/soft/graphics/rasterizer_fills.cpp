// Runs, filled boxes and the dotted focus frame.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/soft/graphics/byte_fill.h"
#include "platform/soft/graphics/rasterizer.h"
#include "platform/soft/graphics/rasterizer_pixels.h"

namespace soft {

using pixels::PixelAt;
using std::int64_t;

void pixels::FillRun(const Surface& surface, int64_t y, int64_t lo, int64_t hi, COLORREF color) {
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

namespace {

// A grey box over whole rows of a 3-byte surface whose rows follow each other
// without padding is one run of equal bytes: one memset, which for a large
// picture can write past the cache.
bool FillWholeRows(const Surface& surface, const Box& box, int64_t top, int64_t bottom, COLORREF color) {
  const auto red = static_cast<std::uint8_t>(color);
  const bool grey = red == static_cast<std::uint8_t>(color >> 8) && red == static_cast<std::uint8_t>(color >> 16);
  const int64_t row_bytes = 3 * int64_t{surface.width};
  if (!grey || surface.bytes_per_pixel != 3 || std::abs(int64_t{surface.stride}) != row_bytes) return false;
  if (box.left > 0 || box.right < surface.width || bottom <= top) return false;
  std::uint8_t* const first = std::min(surface.Row(static_cast<int>(top)), surface.Row(static_cast<int>(bottom - 1)));
  FillBytes(first, red, static_cast<std::size_t>((bottom - top) * row_bytes));
  return true;
}

}  // namespace

void FillBox(const Surface& surface, const Box& box, COLORREF color) {
  if (!pixels::Usable(surface) || box.Empty()) return;
  const int64_t top = std::max<int64_t>(box.top, 0);
  const int64_t bottom = std::min<int64_t>(box.bottom, surface.height);
  if (FillWholeRows(surface, box, top, bottom, color)) return;
  for (int64_t y = top; y < bottom; ++y) pixels::FillRun(surface, y, box.left, box.right - 1, color);
}

// The dots are the pixels an even number of steps from the top-left corner.
void InvertDottedFrame(const Surface& surface, const Box& box) {
  if (!pixels::Usable(surface) || box.Empty()) return;
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

}  // namespace soft
