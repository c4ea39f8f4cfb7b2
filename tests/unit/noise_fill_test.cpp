// The noise kernels against the serial definition, and the fill of a frame.
#include "core/noise_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/frame_composer.h"
#include "raster_fixture.h"

namespace {

constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::size_t kGuard = 64;

const char* const kKernelNames[] = {"Serial", "ScalarLocal", "Sse2", "Avx2", "Avx512", "Avx2Stream"};

std::vector<NoiseKernel> KernelsThisProcessorRuns() {
  std::vector<NoiseKernel> kernels;
  for (NoiseKernel kernel : {NoiseKernel::ScalarLocal, NoiseKernel::Sse2, NoiseKernel::Avx2, NoiseKernel::Avx512,
                             NoiseKernel::Avx2Stream}) {
    if (NoiseKernelFill(kernel) != nullptr) kernels.push_back(kernel);
  }
  return kernels;
}

using KernelCase = std::tuple<NoiseKernel, std::size_t>;

class NoiseKernelMatchesSerial : public ::testing::TestWithParam<KernelCase> {};

// The same bytes and state as the serial fill, and nothing written around
// them, wherever the row starts.
TEST_P(NoiseKernelMatchesSerial, SameBytesSameStateNothingOutside) {
  const auto [kernel, count] = GetParam();
  for (const std::uint32_t start : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
    std::vector<std::uint8_t> serial(3 * count + 1);
    const std::uint32_t state = NoiseKernelFill(NoiseKernel::Serial)(serial.data(), count, start);
    for (const std::size_t misalign : {0u, 1u, 2u, 3u, 7u}) {
      SCOPED_TRACE(::testing::Message() << "from state " << start << ", misaligned by " << misalign);
      std::vector<std::uint8_t> row(kGuard + misalign + 3 * count + kGuard, kUntouched), expected = row;
      std::copy_n(serial.begin(), 3 * count, expected.begin() + kGuard + misalign);
      EXPECT_EQ(NoiseKernelFill(kernel)(row.data() + kGuard + misalign, count, start), state);
      const auto wrong = std::mismatch(row.begin(), row.end(), expected.begin()).first - row.begin();
      EXPECT_EQ(wrong, row.end() - row.begin())
          << "byte " << wrong - static_cast<std::ptrdiff_t>(kGuard + misalign) << " of the row";
    }
  }
}

// Row lengths around every lane count and block size, and real widths.
INSTANTIATE_TEST_SUITE_P(Kernels, NoiseKernelMatchesSerial,
                         ::testing::Combine(::testing::ValuesIn(KernelsThisProcessorRuns()),
                                            ::testing::Values(0, 1, 2, 3, 4, 7, 8, 15, 16, 17, 31, 32, 33, 47, 63, 64,
                                                              65, 95, 96, 97, 127, 128, 129, 321, 1023, 1024, 1025,
                                                              3840)),
                         [](const ::testing::TestParamInfo<KernelCase>& row) {
                           return std::string(kKernelNames[static_cast<int>(std::get<0>(row.param))]) + "_" +
                                  std::to_string(std::get<1>(row.param)) + "px";
                         });

using FillWithStaticTest = WithRasterModule<>;

// A bitmap whose padding bytes (1, 2 and 3 of them) hold a mark: the fill
// must stop at the last pixel of each row. Its values and the state after it
// are frame_pixels_pin_test's.
TEST_F(FillWithStaticTest, WritesNothingPastTheLastPixelOfARow) {
  for (const auto& [width, height] : {std::pair{5, 3}, {1, 1}, {18, 2}, {7, 4}}) {
    std::unique_ptr<TBitmap> bitmap = MakeWhiteBitmap(width, height);
    const int stride = (3 * width + 3) / 4 * 4;
    for (int y = 0; y < height; ++y) {
      std::fill(bitmap->RowPixels(y) + 3 * width, bitmap->RowPixels(y) + stride, kUntouched);
    }
    FillWithStatic(*bitmap);
    for (int y = 0; y < height; ++y) {
      for (int i = 3 * width; i < stride; ++i) EXPECT_EQ(bitmap->RowPixels(y)[i], kUntouched) << width << "x" << height;
    }
  }
}

}  // namespace
