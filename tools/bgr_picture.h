// A picture handed to a writer row by row, as the frame bitmap keeps it.
#pragma once

#include <cstdint>
#include <functional>

#include "raster/bitmap.h"

struct BgrPicture {
  int width = 0;
  int height = 0;
  // Row y (0 is the top), 3 bytes per pixel in the order blue, green, red.
  std::function<const std::uint8_t*(int y)> row;
};

inline BgrPicture PictureOf(TBitmap& bitmap) {
  return {bitmap.Width(), bitmap.Height(), [&bitmap](int y) { return bitmap.RowPixels(y); }};
}
