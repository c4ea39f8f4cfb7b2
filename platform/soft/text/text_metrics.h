// A face's measurements at one pixel size, rounded the way the Win32 text
// calls report them: whole pixels, the cell being ascent plus descent.
#pragma once

#include "platform/soft/text/text_faces.h"
#include "platform/win32.h"

namespace soft {

// Sizes are kept to this many pixels per em, however large the request:
// one glyph image must stay a reasonable allocation.
constexpr int kLargestEmPixels = 2048;

// With no height asked for, text gets a cell of this many pixels.
constexpr int kDefaultCellHeight = 16;

struct FontMetrics {
  int em_pixels = 0;  // the size the face is scaled to
  int ascent = 0;
  int descent = 0;
  int height = 0;  // the cell: ascent + descent
  int internal_leading = 0;
  int external_leading = 0;
  int average_width = 0;
  int max_width = 0;
  // The bars of underlined and struck-out text, as rows from the top of the cell.
  int underline_top = 0;
  int underline_height = 0;
  int strikeout_top = 0;
  int strikeout_height = 0;
};

// lfHeight < 0 asks for an em of -lfHeight pixels, lfHeight > 0 for a cell
// of lfHeight pixels, 0 for the default cell.
int EmPixelsFor(const FaceDesign& design, LONG lf_height);

FontMetrics ScaleMetrics(const FaceDesign& design, int em_pixels);

}  // namespace soft
