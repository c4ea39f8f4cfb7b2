#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/png_encoder.h"

namespace {

std::uint32_t BigEndian(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// The pixels of what the encoder writes: the IDAT chunks inflated and the row
// filters undone, as packed RGB rows, top-down. The container (signature,
// header, CRCs, chunk order) is test_render.py's, whose PNG frames another
// decoder reads.
std::vector<std::uint8_t> ReadPixels(const std::vector<std::uint8_t>& file, std::size_t width, std::size_t height) {
  std::vector<std::uint8_t> compressed;
  for (std::size_t at = 8, size = 0; at + 12 <= file.size(); at += 12 + size) {
    size = BigEndian(&file[at]);
    if (std::string(&file[at + 4], &file[at + 8]) == "IDAT") {
      compressed.insert(compressed.end(), &file[at + 8], &file[at + 8 + size]);
    }
  }
  const std::size_t row = width * 3;
  std::vector<std::uint8_t> filtered((row + 1) * height), rgb(row * height);
  uLongf length = filtered.size();
  if (uncompress(filtered.data(), &length, compressed.data(), compressed.size()) != Z_OK || length != filtered.size()) {
    throw std::runtime_error("IDAT");
  }
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* in = &filtered[y * (row + 1)];
    std::uint8_t* out = &rgb[y * row];
    if (in[0] > 4) throw std::runtime_error("filter type");
    for (std::size_t i = 0; i < row; ++i) {
      const int left = i >= 3 ? out[i - 3] : 0, up = y ? out[i - row] : 0, up_left = i >= 3 && y ? out[i - row - 3] : 0;
      const int p = left + up - up_left, a = std::abs(p - left), b = std::abs(p - up), c = std::abs(p - up_left);
      const int predicted[5] = {0, left, up, (left + up) / 2, a <= b && a <= c ? left : b <= c ? up : up_left};
      out[i] = static_cast<std::uint8_t>(in[i + 1] + predicted[in[0]]);
    }
  }
  return rgb;
}

struct Case {
  const char* name;
  int width, height, level;
  PngFilter filter;
};

class RenderPngTest : public testing::TestWithParam<Case> {};

TEST_P(RenderPngTest, DecodesToTheSamePixelsInRgbOrder) {
  const Case& c = GetParam();
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(c.width) * c.height * 3), file;
  std::uint32_t state = 12345;
  for (auto& byte : bgr) byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 23);
  const std::size_t row = static_cast<std::size_t>(c.width) * 3;
  EncodePng({c.width, c.height, [&](int y) { return bgr.data() + row * static_cast<std::size_t>(y); }},
            {c.level, c.filter},
            [&](const std::uint8_t* data, std::size_t size) { file.insert(file.end(), data, data + size); });
  const std::vector<std::uint8_t> rgb = ReadPixels(file, c.width, c.height);
  ASSERT_EQ(rgb.size(), bgr.size());
  for (std::size_t i = 0; i < rgb.size(); ++i) ASSERT_EQ(rgb[i], bgr[i / 3 * 3 + 2 - i % 3]) << "byte " << i;
}

// One pixel, one row, one column, and a picture whose compressed data spans
// several IDAT chunks, through every filter and the levels offered (the
// tool's own, level 1 without a filter, is its end-to-end test's).
INSTANTIATE_TEST_SUITE_P(Pictures, RenderPngTest,
                         testing::Values(Case{"OnePixelStored", 1, 1, 0, PngFilter::kNone},
                                         Case{"OneRowSub", 37, 1, 1, PngFilter::kSub},
                                         Case{"OneColumnUp", 1, 41, 2, PngFilter::kUp},
                                         Case{"SquarePaeth", 33, 29, 3, PngFilter::kPaeth},
                                         Case{"ManyChunksPaethSmallest", 400, 300, 9, PngFilter::kPaeth}),
                         [](const testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

// The render tool refuses such sizes first; the encoder alone writes no byte
// of them either.
TEST(RenderPngLimitsTest, EmptyAndOversizedPicturesAreRefusedBeforeAnyByte) {
  constexpr int kTooLarge = static_cast<int>(kPngLargestSide) + 1;
  for (const auto& [width, height] : {std::pair{0, 5}, {5, 0}, {-1, 5}, {kTooLarge, 1}, {1, kTooLarge}}) {
    std::size_t written = 0;
    EXPECT_THROW(EncodePng({width, height, [](int) -> const std::uint8_t* { return nullptr; }}, {},
                           [&](const std::uint8_t*, std::size_t size) { written += size; }),
                 std::invalid_argument)
        << width << "x" << height;
    EXPECT_EQ(written, 0u) << width << "x" << height;
  }
}

}  // namespace
