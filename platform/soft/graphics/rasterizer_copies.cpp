// Copies between surfaces, exact or scaled to the nearest pixel.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/soft/graphics/pixel_convert.h"
#include "platform/soft/graphics/rasterizer.h"
#include "platform/soft/graphics/rasterizer_pixels.h"

namespace soft {
namespace {

using pixels::FillRun;
using pixels::VisibleSteps;
using pixels::PixelAt;
using pixels::Usable;
using std::int64_t;
using std::uint64_t;

// ---- Copies ---------------------------------------------------------------------

void CopyPixels(std::uint8_t* dest, int dest_bpp, const std::uint8_t* source, int source_bpp,
                int64_t count, Caching caching = Caching::InCache) {
  ConvertPixels(dest, dest_bpp, source, source_bpp, count, caching);
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
  const bool large = (row_hi - row_lo) * (last - first) * dest.bytes_per_pixel > kPastCacheBytes;
  const Caching caching = large ? Caching::PastCache : Caching::InCache;
  for (int64_t i = row_lo; i < row_hi; ++i) {
    const int64_t sy = rows.SourceOf(i);
    if (sy < 0) continue;
    CopyPixels(PixelAt(dest, cols.to_start + first, rows.to_start + i), dest.bytes_per_pixel,
               PixelAt(source, cols.from_start + first, sy), source.bytes_per_pixel, last - first, caching);
  }
  if (large) OrderStreamedStores();
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

void StretchCopy(const Surface& dest, Area to, const Surface& source, Area from) {
  if (!Usable(dest) || !Usable(source)) return;
  if (dest.bits == source.bits) {
    // Copying within one picture: read from a snapshot so that no pixel is
    // read after it was overwritten.
    const std::uint8_t* first = std::min(source.Row(0), source.Row(source.height - 1));
    std::vector<std::uint8_t> snapshot(first, first + static_cast<std::size_t>(std::abs(source.stride)) * source.height);
    Surface copy = source;
    copy.bits = snapshot.data() + (source.bits - first);
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
