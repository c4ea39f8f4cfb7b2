// Copies runs of pixels between 3-byte (blue, green, red) and 4-byte (blue,
// green, red, 0) layouts, as fast as memory allows: a frame is copied into
// the window's 4-byte client area twenty times a second.
#pragma once

#include <cstdint>

namespace soft {

// `count` pixels from source to dest; each bytes_per_pixel is 3 or 4. A
// 4-byte pixel's last byte is written as 0. The runs must not overlap.
void ConvertPixels(std::uint8_t* dest, int dest_bpp, const std::uint8_t* source, int source_bpp,
                   std::int64_t count);

// The 3-to-4-byte copy without any vector instruction: the fallback, and the
// definition that the vector copy is tested against.
void ExpandPixelsPlain(std::uint8_t* dest, const std::uint8_t* source, std::int64_t count);

// The vector 3-to-4-byte copy, or nullptr when this processor lacks it.
using ExpandPixelsFill = void (*)(std::uint8_t* dest, const std::uint8_t* source, std::int64_t count);
ExpandPixelsFill VectorExpandPixels();

}  // namespace soft
