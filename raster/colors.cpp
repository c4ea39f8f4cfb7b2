#include "raster/colors.h"

COLORREF ToRgb(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}
