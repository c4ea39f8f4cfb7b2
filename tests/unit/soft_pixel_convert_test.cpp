// The copy of 3-byte pixels into 4-byte ones (a frame into a window): every
// vector copy this processor runs gives the plain copy's bytes for every run length and
// alignment and writes nothing outside its run.
#include "platform/soft/graphics/pixel_convert.h"

#include <gtest/gtest.h>

#include <string>
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

}  // namespace
