// A line of code-page text turned into positioned glyphs of a resolved font.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/soft/text/text_font.h"
#include "platform/win32.h"

namespace soft {

struct PlacedGlyph {
  unsigned glyph = 0;
  int pen_x = 0;  // from the start of the line, along the baseline
};

struct TextLayout {
  ResolvedFont font;
  std::vector<PlacedGlyph> glyphs;
  int width = 0;  // the sum of the advances: what the text measures
};

// Each byte is one character of Windows-1251; glyphs follow each other by
// their advances, without kerning. nullopt when no face can be found.
std::optional<TextLayout> LayOutText(const LOGFONTA& font, std::string_view text);

}  // namespace soft
