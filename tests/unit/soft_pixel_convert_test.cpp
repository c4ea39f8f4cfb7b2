// The copy of 3-byte pixels into 4-byte ones (a frame into a window), and
// the fill of boxes of 3-byte pixels, whose whole unpadded rows are one run
// of memory.
#include "platform/soft/graphics/pixel_convert.h"

#include <gtest/gtest.h>

#include "platform/soft/graphics/byte_fill.h"
#include "platform/soft/graphics/rasterizer.h"

#include <algorithm>
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

// Written `offset` bytes past the guard, which starts at a malloc'ed block's
// (16-byte aligned) start.
std::vector<std::uint8_t> Expand(soft::ExpandPixelsFill expand, const std::uint8_t* source, std::int64_t count,
                                 std::int64_t offset = 0) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(kGuard + offset + 4 * count + kGuard), kUntouched);
  expand(out.data() + kGuard + offset, source, count);
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
  // The vector copies and the one a window gets, from an odd address too,
  // into every 4-byte step of a 32-byte line and an odd address.
  std::vector<soft::ExpandPixelsFill> copies = {[](std::uint8_t* d, const std::uint8_t* s, std::int64_t n) {
    soft::ConvertPixels(d, 4, s, 3, n);
  }};
  for (soft::ExpandKernel kernel : {soft::ExpandKernel::Ssse3, soft::ExpandKernel::Avx2, soft::ExpandKernel::Avx2Stream}) {
    if (soft::ExpandPixelsFill copy = soft::ExpandPixelsWith(kernel)) copies.push_back(copy);
  }
  for (soft::ExpandPixelsFill copy : copies) {
    for (const std::int64_t offset : {0, 4, 8, 12, 16, 20, 24, 28, 1}) {
      EXPECT_EQ(Expand(copy, source.data() + 1, count, offset),
                Expand(soft::ExpandPixelsWith(soft::ExpandKernel::Plain), source.data() + 1, count, offset))
          << "at offset " << offset;
    }
  }
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

// Each way of filling a run of bytes, from every address within a vector's
// width and for lengths around it; then the fill a large picture gets.
class ByteFillKernels : public ::testing::TestWithParam<soft::ByteFillKernel> {};

TEST_P(ByteFillKernels, TheRunAndNothingOutside) {
  const soft::ByteFill fill = soft::ByteFillWith(GetParam());
  if (fill == nullptr) GTEST_SKIP() << "this processor lacks the kernel's instructions";
  for (const std::size_t size : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 100u, 1000u}) {
    for (std::size_t misalign = 0; misalign < 16; ++misalign) {
      std::vector<std::uint8_t> block(kGuard + 16 + size + kGuard, kUntouched), expected = block;
      std::fill_n(expected.begin() + kGuard + static_cast<std::ptrdiff_t>(misalign), size, std::uint8_t{0x3C});
      fill(block.data() + kGuard + misalign, 0x3C, size);
      ASSERT_EQ(block, expected) << size << " bytes, misaligned by " << misalign;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, ByteFillKernels,
                         ::testing::Values(soft::ByteFillKernel::Plain, soft::ByteFillKernel::Sse2Stream));

TEST(FillBytes, ARunLargerThanTheCache) {
  const std::size_t size = static_cast<std::size_t>(soft::kPastCacheBytes) + 5;
  std::vector<std::uint8_t> block(kGuard + size + kGuard, kUntouched), expected = block;
  std::fill_n(expected.begin() + kGuard + 3, size, std::uint8_t{0xFF});
  soft::FillBytes(block.data() + kGuard + 3, 0xFF, size);
  EXPECT_TRUE(block == expected);
}

}  // namespace
