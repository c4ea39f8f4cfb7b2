#include "platform/soft/text/text_render.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "platform/soft/text/text_glyphs.h"

namespace soft {
namespace {

struct Rgb {
  std::uint8_t red, green, blue;
  static Rgb Of(COLORREF color) {
    return {static_cast<std::uint8_t>(color & 0xFF), static_cast<std::uint8_t>((color >> 8) & 0xFF),
            static_cast<std::uint8_t>((color >> 16) & 0xFF)};
  }
};

std::uint8_t Mix(unsigned under, unsigned over, unsigned alpha) {
  return static_cast<std::uint8_t>((under * (255 - alpha) + over * alpha + 127) / 255);
}

// Pixels are blue, green, red in memory.
void Blend(std::uint8_t* pixel, Rgb color, unsigned alpha) {
  pixel[0] = Mix(pixel[0], color.blue, alpha);
  pixel[1] = Mix(pixel[1], color.green, alpha);
  pixel[2] = Mix(pixel[2], color.red, alpha);
}

std::uint8_t* PixelAt(const Surface& surface, int x, int y) {
  return surface.Row(y) + static_cast<std::ptrdiff_t>(x) * surface.bytes_per_pixel;
}

// Maps the cell's own coordinates (along the baseline, down from the top of
// the cell) to the screen and back. Screen y grows downwards, so a positive
// angle lifts the end of the line.
class Placement {
 public:
  Placement(int x, int y, long escapement) : x_(x), y_(y) {
    const double angle = NormalEscapement(escapement) * std::numbers::pi / 1800.0;
    cos_ = Snap(std::cos(angle));
    sin_ = Snap(std::sin(angle));
  }
  void ToScreen(double along, double down, double& sx, double& sy) const {
    sx = x_ + along * cos_ + down * sin_;
    sy = y_ - along * sin_ + down * cos_;
  }
  void ToCell(double sx, double sy, double& along, double& down) const {
    const double dx = sx - x_;
    const double dy = sy - y_;
    along = dx * cos_ - dy * sin_;
    down = dx * sin_ + dy * cos_;
  }

 private:
  // Right angles turn exactly, so upright and sideways text lose no pixel.
  static double Snap(double value) { return std::abs(value) < 1e-9 ? 0.0 : value; }
  double x_, y_, cos_ = 1.0, sin_ = 0.0;
};

struct CellRect {
  double left, top, right, bottom;  // in cell coordinates, right and bottom excluded
};

struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
  bool Empty() const { return left >= right || top >= bottom; }
};

PixelBox ClipToSurface(double left, double top, double right, double bottom, const Surface& surface) {
  const auto clamp = [](double value, int limit) {
    return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(limit)));
  };
  return {clamp(std::floor(left), surface.width), clamp(std::floor(top), surface.height),
          clamp(std::ceil(right), surface.width), clamp(std::ceil(bottom), surface.height)};
}

// Fills the pixels whose centres lie inside the (possibly turned) rectangle.
void FillCellRect(const Surface& surface, const Placement& placement, const CellRect& rect, Rgb color) {
  double xs[4], ys[4];
  placement.ToScreen(rect.left, rect.top, xs[0], ys[0]);
  placement.ToScreen(rect.right, rect.top, xs[1], ys[1]);
  placement.ToScreen(rect.left, rect.bottom, xs[2], ys[2]);
  placement.ToScreen(rect.right, rect.bottom, xs[3], ys[3]);
  const PixelBox box = ClipToSurface(*std::min_element(xs, xs + 4), *std::min_element(ys, ys + 4),
                                     *std::max_element(xs, xs + 4), *std::max_element(ys, ys + 4),
                                     surface);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      double along = 0, down = 0;
      placement.ToCell(x + 0.5, y + 0.5, along, down);
      if (along >= rect.left && along < rect.right && down >= rect.top && down < rect.bottom) {
        Blend(PixelAt(surface, x, y), color, 255);
      }
    }
  }
}

void BlendImage(const Surface& surface, const GlyphImage& image, double left, double top, Rgb color) {
  const PixelBox box = ClipToSurface(left, top, left + image.width, top + image.height, surface);
  const auto image_left = static_cast<std::int64_t>(left);
  const auto image_top = static_cast<std::int64_t>(top);
  for (int y = box.top; y < box.bottom; ++y) {
    const std::uint8_t* coverage = &image.coverage[static_cast<std::size_t>(y - image_top) * image.width];
    for (int x = box.left; x < box.right; ++x) {
      const unsigned alpha = coverage[x - image_left];
      if (alpha != 0) Blend(PixelAt(surface, x, y), color, alpha);
    }
  }
}

void DrawGlyphs(const Surface& surface, const TextLayout& layout, const Placement& placement,
                const TextPaint& paint) {
  Face& face = *layout.font.face;
  const FontMetrics& metrics = layout.font.metrics;
  const Rgb color = Rgb::Of(paint.color);
  for (const PlacedGlyph& placed : layout.glyphs) {
    auto image = GlyphBitmap(face, metrics.em_pixels, placed.glyph, paint.escapement);
    if (image->Empty()) continue;
    double origin_x = 0, origin_y = 0;
    placement.ToScreen(placed.pen_x, metrics.ascent, origin_x, origin_y);
    BlendImage(surface, *image, std::round(origin_x) + image->left,
               std::round(origin_y) - image->top, color);
  }
}

}  // namespace

void DrawTextLayout(const Surface& surface, const TextLayout& layout, const TextPaint& paint) {
  if (surface.Empty()) return;
  const Placement placement(paint.x, paint.y, paint.escapement);
  const FontMetrics& metrics = layout.font.metrics;
  const double width = layout.width;
  if (paint.opaque) {
    FillCellRect(surface, placement, {0, 0, width, double(metrics.height)}, Rgb::Of(paint.background));
  }
  DrawGlyphs(surface, layout, placement, paint);
  const Rgb color = Rgb::Of(paint.color);
  if (paint.underline) {
    const double top = metrics.underline_top;
    FillCellRect(surface, placement, {0, top, width, top + metrics.underline_height}, color);
  }
  if (paint.strikeout) {
    const double top = metrics.strikeout_top;
    FillCellRect(surface, placement, {0, top, width, top + metrics.strikeout_height}, color);
  }
}

}  // namespace soft
