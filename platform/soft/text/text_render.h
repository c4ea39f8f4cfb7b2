// Draws a laid-out line of text onto a surface: the optional background of
// its cell, the anti-aliased glyphs blended over what is there, and the
// underline and strike-out bars; the whole line turned about the cell's
// top-left corner by the font's escapement.
#pragma once

#include "platform/soft/graphics/surface.h"
#include "platform/soft/text/text_layout.h"
#include "platform/win32.h"

namespace soft {

struct TextPaint {
  int x = 0;  // the top-left corner of the text's cell
  int y = 0;
  long escapement = 0;  // tenths of a degree, counter-clockwise on the screen
  COLORREF color = 0;
  bool opaque = false;  // fill the cell with the background colour first
  COLORREF background = 0;
  bool underline = false;
  bool strikeout = false;
};

// Writes only inside the surface.
void DrawTextLayout(const Surface& surface, const TextLayout& layout, const TextPaint& paint);

}  // namespace soft
