// Pixel-level helpers shared by the rasteriser's parts: surface checks, pixel
// addresses, clipped runs and exact integer division. Internal to
// platform/soft; the drawing calls use rasterizer.h.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/soft/graphics/surface.h"
#include "platform/win32.h"

namespace soft::pixels {

inline bool Usable(const Surface& surface) {
  return !surface.Empty() && surface.stride != 0 && (surface.bytes_per_pixel == 3 || surface.bytes_per_pixel == 4);
}

inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

inline std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

inline std::uint8_t* PixelAt(const Surface& surface, std::int64_t x, std::int64_t y) {
  return surface.Row(static_cast<int>(y)) + x * surface.bytes_per_pixel;
}

// Colours are COLORREF values (red in the low byte), written as blue, green,
// red bytes; a 4-byte pixel's last byte is written as 0.
inline void PutPixel(std::uint8_t* pixel, int bytes_per_pixel, COLORREF color) {
  pixel[0] = static_cast<std::uint8_t>(color >> 16);
  pixel[1] = static_cast<std::uint8_t>(color >> 8);
  pixel[2] = static_cast<std::uint8_t>(color);
  if (bytes_per_pixel == 4) pixel[3] = 0;
}

// The pixel (x, y) when it lies on the surface.
inline void PutClipped(const Surface& surface, std::int64_t x, std::int64_t y, COLORREF color) {
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
  PutPixel(PixelAt(surface, x, y), surface.bytes_per_pixel, color);
}

// Pixels lo to hi (both included) of row y, clipped to the surface.
void FillRun(const Surface& surface, std::int64_t y, std::int64_t lo, std::int64_t hi, COLORREF color);

// Steps i in [0, count) whose coordinate start + sign * i lies in [0, limit).
inline std::pair<std::int64_t, std::int64_t> VisibleSteps(std::int64_t start, int sign, std::int64_t count,
                                                          std::int64_t limit) {
  if (sign > 0) return {std::max<std::int64_t>(0, -start), std::min(count, limit - start)};
  return {std::max<std::int64_t>(0, start - limit + 1), std::min(count, start + 1)};
}

}  // namespace soft::pixels
