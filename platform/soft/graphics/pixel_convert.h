// Copies runs of pixels between 3-byte (blue, green, red) and 4-byte (blue,
// green, red, 0) layouts, as fast as memory allows: a frame is copied into
// the window's 4-byte client area twenty times a second.
#pragma once

#include <cstdint>

namespace soft {

// Whether a copy's destination may stay in the processor's cache. A picture
// larger than the cache is written past it (PastCache): plain stores would
// first read every line they write, and the lines would not be read back
// from the cache anyway. A small one stays (InCache), to be read back soon.
enum class Caching { InCache, PastCache };
// Pictures of more bytes than this are written past the cache.
constexpr std::int64_t kPastCacheBytes = std::int64_t{8} << 20;

// `count` pixels from source to dest; each bytes_per_pixel is 3 or 4. A
// 4-byte pixel's last byte is written as 0. The runs must not overlap.
// PastCache copies leave their stores unordered with later ones: call
// OrderStreamedStores after the last run of a picture (a fence after every
// row would cost a fifth of the copy), before anyone else reads it.
void ConvertPixels(std::uint8_t* dest, int dest_bpp, const std::uint8_t* source, int source_bpp,
                   std::int64_t count, Caching caching = Caching::InCache);
void OrderStreamedStores();

// The ways of copying 3-byte pixels into 4-byte ones. Plain runs anywhere
// and is the definition the others are tested against; the fastest one the
// processor has is chosen once. Avx2Stream writes past the cache (and
// leaves its stores unordered, as above).
enum class ExpandKernel { Plain, Ssse3, Avx2, Avx2Stream };
using ExpandPixelsFill = void (*)(std::uint8_t* dest, const std::uint8_t* source, std::int64_t count);
// nullptr when this build or processor cannot run the kernel.
ExpandPixelsFill ExpandPixelsWith(ExpandKernel kernel);

}  // namespace soft
