// The noise kernels against the serial definition, and the fill of a frame.
#include "core/noise_fill.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/frame_composer.h"
#include "core/random_source.h"
#include "raster_fixture.h"

namespace {

constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::size_t kGuard = 64;

struct Row {
  std::vector<std::uint8_t> bytes;  // guard, pixels, guard
  std::uint32_t state;
};

Row FillRow(NoiseRowFill fill, std::size_t count, std::uint32_t start, std::size_t misalign) {
  Row row{std::vector<std::uint8_t>(kGuard + misalign + 3 * count + kGuard, kUntouched), 0};
  row.state = fill(row.bytes.data() + kGuard + misalign, count, start);
  return row;
}

std::string KernelName(NoiseKernel kernel) {
  switch (kernel) {
    case NoiseKernel::Serial: return "Serial";
    case NoiseKernel::ScalarLocal: return "ScalarLocal";
    case NoiseKernel::Sse2: return "Sse2";
    case NoiseKernel::Avx2: return "Avx2";
    case NoiseKernel::Avx512: return "Avx512";
  }
  return "Unknown";
}

std::vector<NoiseKernel> KernelsThisProcessorRuns() {
  std::vector<NoiseKernel> kernels;
  for (NoiseKernel kernel : {NoiseKernel::ScalarLocal, NoiseKernel::Sse2, NoiseKernel::Avx2, NoiseKernel::Avx512}) {
    if (NoiseKernelFill(kernel) != nullptr) kernels.push_back(kernel);
  }
  return kernels;
}

// The same bytes and state as the serial fill, and nothing written around them.
void CheckRow(const Row& actual, const Row& expected, std::size_t count, std::size_t misalign) {
  EXPECT_EQ(actual.state, expected.state) << "misaligned by " << misalign;
  const auto* pixels = actual.bytes.data() + kGuard + misalign;
  const auto* want = expected.bytes.data() + kGuard;
  for (std::size_t i = 0; i < 3 * count; ++i) ASSERT_EQ(pixels[i], want[i]) << "byte " << i;
  for (std::size_t i = 0; i < kGuard + misalign; ++i) ASSERT_EQ(actual.bytes[i], kUntouched) << "before " << i;
  for (std::size_t i = kGuard + misalign + 3 * count; i < actual.bytes.size(); ++i) {
    ASSERT_EQ(actual.bytes[i], kUntouched) << "after the row, byte " << i;
  }
}

using KernelCase = std::tuple<NoiseKernel, std::size_t>;

class NoiseKernelMatchesSerial : public ::testing::TestWithParam<KernelCase> {};

TEST_P(NoiseKernelMatchesSerial, SameBytesSameStateNothingOutside) {
  const auto [kernel, count] = GetParam();
  for (const std::uint32_t start : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
    SCOPED_TRACE(::testing::Message() << "from state " << start);
    const Row expected = FillRow(NoiseKernelFill(NoiseKernel::Serial), count, start, 0);
    for (const std::size_t misalign : {0u, 1u, 3u}) {
      CheckRow(FillRow(NoiseKernelFill(kernel), count, start, misalign), expected, count, misalign);
    }
  }
}

// Row lengths around every lane count and block size, and real widths.
INSTANTIATE_TEST_SUITE_P(
    Kernels, NoiseKernelMatchesSerial,
    ::testing::Combine(::testing::ValuesIn(KernelsThisProcessorRuns()),
                       ::testing::Values(0, 1, 2, 3, 4, 7, 8, 15, 16, 17, 31, 32, 33, 47, 63, 64, 65, 95, 96, 97, 127, 128, 129, 321, 1023,
                                         1024, 1025, 3840)),
    [](const ::testing::TestParamInfo<KernelCase>& row) {
      return KernelName(std::get<0>(row.param)) + "_" + std::to_string(std::get<1>(row.param)) + "px";
    });

TEST(NoiseKernels, TheFastestIsOneOfTheKernelsThisProcessorRuns) {
  bool found = false;
  for (NoiseKernel kernel : KernelsThisProcessorRuns()) found = found || NoiseKernelFill(kernel) == FastestNoiseFill();
  EXPECT_TRUE(found);
}

using FillWithStaticTest = WithRasterModule<>;

// A bitmap whose padding bytes hold a mark: the fill must stop at the last
// pixel of each row, whatever the frame's size was meant to be.
TEST_F(FillWithStaticTest, CoversEveryPixelOfItsBitmapAndNothingElse) {
  for (const auto& [width, height] : {std::pair{5, 3}, {1, 1}, {18, 2}, {33, 4}}) {
    std::unique_ptr<TBitmap> white = MakeWhiteBitmap(width, height);
    TBitmap& bitmap = *white;
    const int stride = (3 * width + 3) / 4 * 4;
    for (int y = 0; y < height; ++y) {
      for (int i = 3 * width; i < stride; ++i) bitmap.RowPixels(y)[i] = kUntouched;
    }
    RandomState = 0xDEADBEEF;
    FillWithStatic(bitmap);
    // The same draws, one by one.
    std::uint32_t state = 0xDEADBEEF;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = bitmap.RowPixels(y);
      for (int x = 0; x < width; ++x) {
        state = state * 134775813u + 1u;
        const auto level = static_cast<std::uint8_t>((std::uint64_t{state} * 90u) >> 32);
        for (int b = 0; b < 3; ++b) ASSERT_EQ(row[3 * x + b], level) << width << "x" << height << " at " << x << "," << y;
      }
      for (int i = 3 * width; i < stride; ++i) EXPECT_EQ(row[i], kUntouched) << width << "x" << height << " row " << y;
    }
    EXPECT_EQ(RandomState, state) << width << "x" << height;
  }
}

}  // namespace
