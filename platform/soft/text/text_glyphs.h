// Glyph advances and anti-aliased glyph images, rendered with FreeType and
// kept for reuse: a caption is measured and drawn twice on every frame.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/soft/text/text_faces.h"

namespace soft {

// A grey coverage map (0 = none, 255 = full) placed relative to the glyph's
// origin on the baseline.
struct GlyphImage {
  int left = 0;  // columns from the origin to the image's left edge
  int top = 0;   // rows from the image's top edge down to the origin
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // width * height, top row first

  bool Empty() const { return width == 0 || height == 0; }
};

// The glyph's hinted advance in whole pixels, without rotation.
int GlyphAdvance(Face& face, int em_pixels, unsigned glyph);

// The glyph's image turned by escapement tenths of a degree counter-clockwise
// as seen on the screen. Never null; empty for a blank glyph or on failure.
std::shared_ptr<const GlyphImage> GlyphBitmap(Face& face, int em_pixels, unsigned glyph,
                                              int escapement);

// Escapement folded into 0..3599.
int NormalEscapement(long escapement);

struct GlyphCacheCounters {
  long advances_loaded = 0;
  long images_rendered = 0;
};
GlyphCacheCounters GlyphCounters();

}  // namespace soft
