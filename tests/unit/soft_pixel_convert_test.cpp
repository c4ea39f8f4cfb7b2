// The copy of 3-byte pixels into 4-byte ones (a frame into a window), and
// the fill of boxes of 3-byte pixels, whose whole unpadded rows are one run
// of memory.
#include "platform/soft/graphics/pixel_convert.h"

#include <gtest/gtest.h>

#include "platform/soft/graphics/rasterizer.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::int64_t kGuard = 32;

std::vector<std::uint8_t> Source(std::int64_t count) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(3 * count + 1));
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return bytes;
}

std::vector<std::uint8_t> Expand(soft::ExpandPixelsFill expand, const std::uint8_t* source, std::int64_t count) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(kGuard + 4 * count + kGuard), kUntouched);
  expand(out.data() + kGuard, source, count);
  return out;
}

class ExpandPixels : public ::testing::TestWithParam<std::int64_t> {};

TEST_P(ExpandPixels, BlueGreenRedThenZeroAndNothingOutside) {
  const std::int64_t count = GetParam();
  const std::vector<std::uint8_t> source = Source(count);
  // By definition.
  const std::vector<std::uint8_t> plain =
      Expand(soft::ExpandPixelsWith(soft::ExpandKernel::Plain), source.data() + 1, count);
  for (std::int64_t i = 0; i < count; ++i) {
    const std::uint8_t* pixel = plain.data() + kGuard + 4 * i;
    for (int b = 0; b < 3; ++b) ASSERT_EQ(pixel[b], source[static_cast<std::size_t>(1 + 3 * i + b)]) << i;
    ASSERT_EQ(pixel[3], 0) << i;
  }
  for (std::int64_t i = 0; i < kGuard; ++i) {
    ASSERT_EQ(plain[static_cast<std::size_t>(i)], kUntouched);
    ASSERT_EQ(plain[static_cast<std::size_t>(kGuard + 4 * count + i)], kUntouched);
  }
  // The vector copies and the one a window gets, from an odd address too.
  std::vector<soft::ExpandPixelsFill> copies = {[](std::uint8_t* d, const std::uint8_t* s, std::int64_t n) {
    soft::ConvertPixels(d, 4, s, 3, n);
  }};
  for (soft::ExpandKernel kernel : {soft::ExpandKernel::Ssse3, soft::ExpandKernel::Avx2}) {
    if (soft::ExpandPixelsFill copy = soft::ExpandPixelsWith(kernel)) copies.push_back(copy);
  }
  for (soft::ExpandPixelsFill copy : copies) EXPECT_EQ(Expand(copy, source.data() + 1, count), plain);
}

INSTANTIATE_TEST_SUITE_P(RunLengths, ExpandPixels,
                         ::testing::Values(0, 1, 2, 5, 8, 10, 11, 12, 15, 16, 17, 19, 31, 32, 33, 100, 1023, 1024),
                         [](const ::testing::TestParamInfo<std::int64_t>& row) {
                           return std::to_string(row.param) + "px";
                         });

// A 5x6 picture with no padding, inside guard bytes; the box given, then
// the pixels expected inside it (clipped) and untouched outside it.
struct FillCase {
  const char* name;
  soft::Box box;
  COLORREF color;
};

class GreyRowsFill : public ::testing::TestWithParam<std::tuple<FillCase, bool>> {};

TEST_P(GreyRowsFill, ExactlyTheBoxInEitherRowOrder) {
  const auto& [fill, bottom_up] = GetParam();
  constexpr int kWidth = 5, kHeight = 6;
  std::vector<std::uint8_t> block(kGuard + 3 * kWidth * kHeight + kGuard, kUntouched);
  std::uint8_t* const top = block.data() + kGuard + (bottom_up ? 3 * kWidth * (kHeight - 1) : 0);
  const soft::Surface surface{top, kWidth, kHeight, bottom_up ? -3 * kWidth : 3 * kWidth, 3};
  soft::FillBox(surface, fill.box, fill.color);
  const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(fill.color >> 16), static_cast<std::uint8_t>(fill.color >> 8),
                                 static_cast<std::uint8_t>(fill.color)};
  for (int y = 0; y < kHeight; ++y) {
    const int memory_row = bottom_up ? kHeight - 1 - y : y;
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= fill.box.left && x < fill.box.right && y >= fill.box.top && y < fill.box.bottom;
      for (int b = 0; b < 3; ++b) {
        ASSERT_EQ(block[kGuard + 3 * (memory_row * kWidth + x) + b], inside ? bytes[b] : kUntouched) << x << "," << y;
      }
    }
  }
  for (std::int64_t i = 0; i < kGuard; ++i) {
    ASSERT_EQ(block[static_cast<std::size_t>(i)], kUntouched);
    ASSERT_EQ(block[block.size() - 1 - static_cast<std::size_t>(i)], kUntouched);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, GreyRowsFill,
    ::testing::Combine(::testing::Values(FillCase{"AllRowsPastEveryEdge", {-9, -9, 99, 99}, 0xFFFFFF},
                                         FillCase{"MiddleRows", {0, 2, 5, 4}, 0x808080},
                                         FillCase{"LastRowOnly", {-1, 5, 5, 7}, 0x101010},
                                         FillCase{"NotTheWholeWidth", {1, 1, 5, 5}, 0xFFFFFF},
                                         FillCase{"NotGrey", {0, 1, 5, 3}, 0x123456}),
                       ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<FillCase, bool>>& row) {
      return std::string(std::get<0>(row.param).name) + (std::get<1>(row.param) ? "_BottomUp" : "_TopDown");
    });

}  // namespace
