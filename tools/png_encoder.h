// Encodes 8-bit RGB pictures as PNG files with zlib, with the compression
// level and row filter chosen by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "tools/bgr_picture.h"

enum class PngFilter : std::uint8_t { kNone = 0, kSub = 1, kUp = 2, kPaeth = 4 };

// Common readers refuse wider or taller pictures by default, so the writer
// refuses them too rather than make files nobody opens.
inline constexpr std::int64_t kPngLargestSide = 1000000;

// Noise does not compress: level 1 and no filter write it fastest for a file
// 15 % larger than level 6 in a tenth of the time (bench/render_bench.cpp).
inline constexpr int kDefaultPngLevel = 1;

struct PngSettings {
  int level = kDefaultPngLevel;  // 0 (stored) to 9 (smallest)
  PngFilter filter = PngFilter::kNone;
};

using ByteSink = std::function<void(const std::uint8_t* data, std::size_t size)>;

// Sends the whole file to sink, in pieces. The picture must be non-empty and
// within kPngLargestSide; throws std::invalid_argument otherwise.
void EncodePng(const BgrPicture& picture, const PngSettings& settings, const ByteSink& sink);
