// The pixel algorithms of the software GDI, as plain functions over a
// Surface: fills (rasterizer_fills.cpp), one-pixel and wide lines
// (rasterizer_lines.cpp), ellipses (rasterizer_ellipses.cpp) and copies
// (rasterizer_copies.cpp). All output is aliased and clipped to the surface;
// coordinates may be any 32-bit values and the work done is bounded by the
// surface's size, never by theirs. One-pixel lines and outlines put the same
// pixels as the desktop's own GDI does; wide strokes come close.
#pragma once

#include <cstdint>

#include "platform/soft/graphics/surface.h"
#include "platform/win32.h"

namespace soft {

// A rectangle in 64-bit coordinates, right and bottom excluded, so that sums
// and differences of 32-bit coordinates stay exact.
struct Box {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

// A placed rectangle of a copy; a negative width or height mirrors it.
struct Area {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// Colours are COLORREF values (red in the low byte); they are written as
// blue, green, red bytes, and a 4-byte pixel's last byte is written as 0.
void FillBox(const Surface& surface, const Box& box, COLORREF color);

// Inverts every other pixel along the inside edge of box.
void InvertDottedFrame(const Surface& surface, const Box& box);

// A one-pixel line from `from` towards `to`, `to` itself excluded: one pixel
// per step along the longer axis, the other coordinate rounded to the nearest
// pixel, a tie taking the smaller coordinate.
void DrawThinLine(const Surface& surface, POINT from, POINT to, COLORREF color);

// Every pixel whose centre lies within width / 2 of the segment: a stroke
// centred on the path with round ends.
void DrawWideLine(const Surface& surface, POINT from, POINT to, int width, COLORREF color);

struct EllipseStyle {
  bool outline = true;
  int pen_width = 1;          // 0 and 1 draw the one-pixel outline
  bool inside_frame = false;  // keep a wide outline inside the box
  COLORREF pen_color = 0;
  bool fill = true;
  COLORREF fill_color = 0xFFFFFF;
};

// The ellipse inscribed in box (right and bottom edges excluded): its outline
// drawn with the pen, its inside filled when style.fill is set. A one-pixel
// box draws nothing.
void DrawEllipse(const Surface& surface, const Box& box, const EllipseStyle& style);

// Copies the pixels of `from` on source onto `to` on dest, scaling to the
// nearest pixel when the sizes differ; equal sizes are an exact copy. The
// two surfaces may be the same memory.
void StretchCopy(const Surface& dest, Area to, const Surface& source, Area from);

}  // namespace soft
