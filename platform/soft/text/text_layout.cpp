#include "platform/soft/text/text_layout.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/soft/text/text_codepage.h"
#include "platform/soft/text/text_glyphs.h"

namespace soft {

std::optional<TextLayout> LayOutText(const LOGFONTA& font, std::string_view text) {
  std::optional<ResolvedFont> resolved = ResolveFont(font);
  if (!resolved) return std::nullopt;
  TextLayout layout{*resolved, {}, 0};
  Face& face = *layout.font.face;
  const int em_pixels = layout.font.metrics.em_pixels;
  const std::vector<unsigned> glyphs = face.GlyphIndices(DecodeText(text, font.lfCharSet));
  layout.glyphs.reserve(glyphs.size());
  std::int64_t pen = 0;  // a very long text must not wrap around
  for (unsigned glyph : glyphs) {
    layout.glyphs.push_back({glyph, static_cast<int>(pen)});
    pen = std::min<std::int64_t>(pen + GlyphAdvance(face, em_pixels, glyph), INT_MAX);
  }
  layout.width = static_cast<int>(pen);
  return layout;
}

}  // namespace soft
