#include "platform/soft/text/text_metrics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace soft {
namespace {

std::int64_t ClampEm(std::int64_t em) { return std::clamp<std::int64_t>(em, 1, kLargestEmPixels); }

// Font units to pixels, rounded up.
int ScaleUp(int units, int em_pixels, int units_per_em) {
  const std::int64_t product = std::int64_t{units} * em_pixels;
  return static_cast<int>((product + units_per_em - 1) / units_per_em);
}

// The em for a cell height. The platform rounds it to the nearest pixel, but
// an em just past a half (up to 0.055 of a pixel) still rounds down: cells of
// 1 to 120 pixels of the common sans faces get these ems, regular and bold.
std::int64_t EmForCell(std::int64_t cell, int units_per_em, std::int64_t design_cell) {
  return (cell * units_per_em * 1000 + design_cell * 445) / (design_cell * 1000);
}

int ScaleRounded(int units, int em_pixels, int units_per_em) {
  return static_cast<int>(std::lround(static_cast<double>(units) * em_pixels / units_per_em));
}

}  // namespace

int EmPixelsFor(const FaceDesign& design, LONG lf_height) {
  const std::int64_t height = lf_height;  // -LONG_MIN does not fit a LONG
  if (height < 0) return static_cast<int>(ClampEm(-height));
  const std::int64_t cell = height > 0 ? height : kDefaultCellHeight;
  const std::int64_t design_cell = std::max(1, design.ascent + design.descent);
  return static_cast<int>(ClampEm(EmForCell(cell, design.units_per_em, design_cell)));
}

FontMetrics ScaleMetrics(const FaceDesign& design, int em_pixels) {
  const int upem = std::max(1, design.units_per_em);
  FontMetrics metrics;
  metrics.em_pixels = em_pixels;
  // Ascent and descent are each rounded to the nearest pixel, which gives
  // the cells the platform reports (17 pixels for a 16-pixel em of the
  // common sans faces, 32 for 29).
  metrics.ascent = ScaleRounded(design.ascent, em_pixels, upem);
  metrics.descent = ScaleRounded(design.descent, em_pixels, upem);
  metrics.height = metrics.ascent + metrics.descent;
  metrics.internal_leading = std::max(0, metrics.height - em_pixels);
  metrics.external_leading = ScaleRounded(design.line_gap, em_pixels, upem);
  metrics.average_width = std::max(1, ScaleRounded(design.average_width, em_pixels, upem));
  metrics.max_width = std::max(1, ScaleUp(design.max_advance, em_pixels, upem));

  metrics.underline_height = std::max(1, ScaleRounded(design.underline_thickness, em_pixels, upem));
  metrics.underline_top = metrics.ascent - ScaleRounded(design.underline_position, em_pixels, upem) -
                          metrics.underline_height / 2;
  metrics.strikeout_height = std::max(1, ScaleRounded(design.strikeout_thickness, em_pixels, upem));
  metrics.strikeout_top = metrics.ascent - ScaleRounded(design.strikeout_position, em_pixels, upem);
  return metrics;
}

}  // namespace soft
