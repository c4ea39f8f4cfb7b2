// The pixel comparison's drawing cases: a bitmap size and the figures drawn
// on it, in order, through the Win32 drawing calls. The same code draws them
// through the real platform (under Wine) and through the software one, so the
// two pictures differ only where the platforms do.
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

// Reads the case list: a "case NAME W H" line opens a case and each following
// "line PEN COLOR X0 Y0 X1 Y1", "ellipse PEN COLOR L T R B" or
// "text ESCAPEMENT CHARSET COLOR X Y HEXBYTES" line adds a figure to it;
// lines starting with '#' are skipped. Throws std::runtime_error naming a
// line that cannot be read.
std::vector<Case> ReadCases(std::istream& in);

// Bytes of the case's picture: bottom-up rows of 3-byte pixels (blue, green,
// red), each padded to 4 bytes, as a 24-bit section lays them out.
std::size_t PictureBytes(const Case& c);

// Draws the case on a new dark blue 24-bit section (lines and ellipses with a
// hollow brush, text in transparent mode with bold "Arial" of height -29) and
// returns its memory. Throws std::runtime_error when the platform cannot
// make the section.
std::vector<std::uint8_t> DrawCase(const Case& c);

}  // namespace probe
