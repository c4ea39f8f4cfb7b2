// The pixel comparison's cases: a bitmap size and figures drawn on it, in
// order, through the Win32 drawing calls; the same code draws them on the real
// platform (under Wine) and on the software one.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace probe {

enum class FigureKind { Line, Ellipse, Text };

struct Figure {
  FigureKind kind = FigureKind::Line;
  int pen_width = 0;   // lines and ellipses: a solid pen of this width
  COLORREF color = 0;  // the pen's or the text's colour
  int coords[4] = {};  // line: x0 y0 x1 y1; ellipse: its box; text: x y
  int escapement = 0;  // text: tenths of a degree, counter-clockwise
  int charset = 0;     // text: the font's character set
  std::string text;    // text: single-byte characters
};

struct Case {
  std::string name;
  int width = 0, height = 0;
  std::vector<Figure> figures;
};

// Reads "case NAME W H" lines, each followed by its figures' lines ("line PEN
// COLOR X0 Y0 X1 Y1", "ellipse PEN COLOR L T R B", "text ESCAPEMENT CHARSET
// COLOR X Y HEXBYTES"), skipping '#' lines; throws std::runtime_error naming
// a line it cannot read.
std::vector<Case> ReadCases(std::istream& in);

// Bytes of the picture: bottom-up rows of blue, green, red pixels, each row
// padded to 4 bytes, as in a 24-bit section.
std::size_t PictureBytes(const Case& c);

// Draws the case on a new dark blue 24-bit section (hollow brush; text
// transparent, in bold "Arial" of height -29) and returns its bytes.
std::vector<std::uint8_t> DrawCase(const Case& c);

}  // namespace probe
