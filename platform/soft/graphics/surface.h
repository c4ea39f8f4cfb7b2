// The pixels that drawing reaches: one picture's memory, rows and clip.
#pragma once

#include <cstddef>
#include <cstdint>

namespace soft {

// Pixel memory that a drawing context draws on, addressed from the picture's
// top row whichever way its rows lie in memory. Width and height are also the
// clip rectangle: nothing outside (0, 0, width, height) is ever written.
struct Surface {
  std::uint8_t* bits = nullptr;  // first byte of the picture's top row
  int width = 0;
  int height = 0;
  int stride = 0;           // bytes from a row to the one below it: negative where
                            // the top row is the last in memory (a bottom-up section)
  int bytes_per_pixel = 3;  // 3: blue, green, red; 4: blue, green, red, unused

  bool Empty() const { return bits == nullptr || width <= 0 || height <= 0; }
  std::uint8_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace soft
