// Pins the exact pixels and random state of frames composed at odd sizes: a
// change to the noise fill or the frame's storage must leave every byte and
// the generator where they were. Frames with figures also move when one-pixel
// lines or ellipse outlines change; the caption is left out, so that no font
// version moves a hash.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/frame_composer.h"
#include "core/random_source.h"
#include "raster_fixture.h"

namespace {

// FNV-1a over the picture's pixel bytes.
void HashPixels(TBitmap& bitmap, std::uint64_t& hash) {
  for (const std::uint8_t byte : PixelBytes(bitmap)) hash = (hash ^ byte) * 0x100000001B3ull;
}

struct Size {
  int width;
  int height;
};

struct PinCase {
  std::string name;
  bool figures;  // with scratch lines, rings and twin rings; else the noise alone
  std::uint32_t start;
  std::vector<Size> sizes;  // one frame each, in turn
  std::uint64_t hash;
  std::uint32_t state;
  int figures_drawn;  // lines, rings and twin rings the frames drew
};

void PrintTo(const PinCase& pin, std::ostream* out) { *out << pin.name; }

using FramePixelsPin = WithRasterModule<::testing::TestWithParam<PinCase>>;

TEST_P(FramePixelsPin, HashAndStateAsBefore) {
  const PinCase& pin = GetParam();
  RandomState = pin.start;
  std::uint64_t hash = 0xCBF29CE484222325ull;
  int figures = 0;
  for (const Size size : pin.sizes) {
    std::unique_ptr<TBitmap> frame;
    if (pin.figures) {
      FrameTrace trace;
      frame = BuildStaticFrame(size.width, size.height, &trace);
      figures += static_cast<int>(trace.lines.size() + trace.rings.size() + (trace.twin_rings ? 1 : 0));
    } else {
      frame = MakeWhiteBitmap(size.width, size.height);
      FillWithStatic(*frame);
    }
    HashPixels(*frame, hash);
  }
  EXPECT_EQ(hash, pin.hash) << std::hex << "0x" << hash;
  EXPECT_EQ(RandomState, pin.state);
  EXPECT_EQ(figures, pin.figures_drawn);
}

const std::vector<Size> kOddSizes = {{1, 1}, {7, 5}, {63, 47}, {321, 239}, {2, 3}, {1, 9}, {17, 1}, {321, 239}};

INSTANTIATE_TEST_SUITE_P(
    Frames, FramePixelsPin,
    ::testing::Values(
        PinCase{"NoiseOnlyFromZero", false, 0, kOddSizes, 0x799195D73ABDD3C5, 20258223, 0},
        PinCase{"NoiseOnlyFromHighState", false, 0xDEADBEEF, kOddSizes, 0x248189412DB5845B, 1963147810, 0},
        PinCase{"NoiseOnlyLarge", false, 12345, {{1023, 767}, {1024, 768}}, 0xC8A36B830CB35ABA, 4067247134, 0},
        // Larger than the cache, which these frames are written past.
        PinCase{"NoiseOnlyPastTheCache", false, 4242, {{1700, 1700}, {1701, 1699}}, 0x63D158A6A57D1C89, 4115033981, 0},
        PinCase{"WithLinesAndRingsFromZero", true, 0,
                {{1, 1}, {7, 5}, {63, 47}, {321, 239}, {63, 47}, {321, 239}, {7, 5}, {321, 239}},
                0x056D95A146166224, 4219234937, 6},
        PinCase{"WithLinesAndRingsLarge", true, 77, {{321, 239}, {640, 480}, {321, 239}, {640, 480}},
                0x414181CC31371C14, 1563771880, 2}),
    [](const ::testing::TestParamInfo<PinCase>& row) { return row.param.name; });

}  // namespace
