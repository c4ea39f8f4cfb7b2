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

// A reader for what the encoder writes: 8-bit RGB, not interlaced. Checks the
// signature, every chunk's CRC and the chunk order, and undoes the filters.
// Gives the width and the packed RGB rows, top-down.
std::pair<std::uint32_t, std::vector<std::uint8_t>> ReadPng(const std::vector<std::uint8_t>& file) {
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) throw std::runtime_error("signature");
  std::uint32_t width = 0, height = 0;
  std::vector<std::uint8_t> compressed;
  std::string order;
  std::size_t at = 8;
  for (std::uint32_t size; at + 12 <= file.size(); at += 12 + size) {
    size = BigEndian(&file[at]);
    const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
    const std::uint8_t* data = &file[at + 8];
    if (crc32(0, &file[at + 4], size + 4) != BigEndian(data + size)) throw std::runtime_error("CRC of " + type);
    if (!order.ends_with(type)) order += type;
    if (type == "IHDR") {
      width = BigEndian(data);
      height = BigEndian(data + 4);
      if (size != 13 || data[8] != 8 || data[9] != 2 || data[10] || data[11] || data[12]) {
        throw std::runtime_error("IHDR");
      }
    }
    if (type == "IDAT") compressed.insert(compressed.end(), data, data + size);
  }
  if (order != "IHDRIDATIEND" || at != file.size()) throw std::runtime_error("chunks " + order);
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
  return {width, rgb};
}

struct Picture {
  int width, height;
  std::vector<std::uint8_t> bgr;  // packed rows
};

Picture Pattern(int width, int height) {
  Picture picture{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  std::uint32_t state = 12345;
  for (auto& byte : picture.bgr) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<std::uint8_t>(state >> 23);
  }
  return picture;
}

std::vector<std::uint8_t> Encode(const Picture& picture, const PngSettings& settings) {
  std::vector<std::uint8_t> file;
  const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
  EncodePng(
      {picture.width, picture.height, [&](int y) { return picture.bgr.data() + row * static_cast<std::size_t>(y); }},
      settings, [&](const std::uint8_t* data, std::size_t size) { file.insert(file.end(), data, data + size); });
  return file;
}

struct Case {
  const char* name;
  int width, height, level;
  PngFilter filter;
};

class RenderPngTest : public testing::TestWithParam<Case> {};

TEST_P(RenderPngTest, DecodesToTheSamePixelsInRgbOrder) {
  const Case& c = GetParam();
  const Picture picture = Pattern(c.width, c.height);
  const auto [width, rgb] = ReadPng(Encode(picture, {c.level, c.filter}));
  ASSERT_EQ(width, static_cast<std::uint32_t>(c.width));
  ASSERT_EQ(rgb.size(), picture.bgr.size()) << "the height";
  for (std::size_t i = 0; i < rgb.size(); ++i) ASSERT_EQ(rgb[i], picture.bgr[i / 3 * 3 + 2 - i % 3]) << "byte " << i;
}

// One pixel, one row, one column, and a picture whose compressed data spans
// several IDAT chunks, through every filter and the levels offered.
INSTANTIATE_TEST_SUITE_P(Pictures, RenderPngTest,
                         testing::Values(Case{"OnePixelStored", 1, 1, 0, PngFilter::kNone},
                                         Case{"OneRowSub", 37, 1, 1, PngFilter::kSub},
                                         Case{"OneColumnUp", 1, 41, 2, PngFilter::kUp},
                                         Case{"SquarePaeth", 33, 29, 3, PngFilter::kPaeth},
                                         Case{"ManyChunksNone", 400, 300, 1, PngFilter::kNone},
                                         Case{"ManyChunksPaethSmallest", 400, 300, 9, PngFilter::kPaeth}),
                         [](const testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

TEST(RenderPngLimitsTest, EmptyAndOversizedPicturesAreRefusedBeforeAnyByte) {
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{0, 5},
                                                                      {5, 0},
                                                                      {-1, 5},
                                                                      {static_cast<int>(kPngLargestSide) + 1, 1},
                                                                      {1, static_cast<int>(kPngLargestSide) + 1}}) {
    std::size_t written = 0;
    try {
      EncodePng({width, height, [](int) -> const std::uint8_t* { return nullptr; }}, {},
                [&](const std::uint8_t*, std::size_t size) { written += size; });
      ADD_FAILURE() << width << "x" << height << " was accepted";
    } catch (const std::invalid_argument& error) {
      EXPECT_NE(std::string(error.what()).find("1000000"), std::string::npos) << error.what();
    }
    EXPECT_EQ(written, 0u) << width << "x" << height;
  }
}

}  // namespace
