#include "tools/render_options.h"

#include <gtest/gtest.h>

namespace {

ParsedOptions Parse(std::vector<std::string> arguments) { return ParseRenderOptions(arguments); }

// That every option takes effect, size lists in turn, is the render tool's
// end-to-end test; here the defaults, the level and the empty sizes it does not run.
TEST(RenderOptionsTest, DefaultsAndSizeListsThatMayBeEmpty) {
  const RenderOptions defaults = Parse({}).options;
  EXPECT_EQ(defaults.sizes, (std::vector<FrameSize>{{1024, 768}}));
  EXPECT_EQ(defaults.frames, 1);
  EXPECT_EQ(defaults.png_level, kDefaultPngLevel);
  EXPECT_EQ(Parse({"--png-level", "9"}).options.png_level, 9) << "no output shows the level";
  EXPECT_EQ(Parse({"--size", "320x240,0x0,0x48,64x0"}).options.sizes,
            (std::vector<FrameSize>{{320, 240}, {0, 0}, {0, 48}, {64, 0}}));
}

TEST(RenderOptionsTest, BadValuesUnknownOptionsAndMissingValuesAreRefused) {
  for (const char* bad : {"", "x", "320", "320x", "x240", "-1x5", "5x-1", "320x240,", ",320x240", "32 0x240", "320X240",
                          "3.5x2", "+3x2", "99999999999x1", "320x240x2", "0x1e3"}) {
    EXPECT_NE(Parse({"--size", bad}).error, "") << '"' << bad << '"';
  }
  for (const char* bad : {"0", "-3", "", "two", "1.5", "3frames"}) EXPECT_NE(Parse({"--frames", bad}).error, "") << bad;
  for (const char* bad : {"10", "-1", "", "fast", "1.0"}) EXPECT_NE(Parse({"--png-level", bad}).error, "") << bad;
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--fast"}, {"frames"}, {"--frames"}, {"--png"}, {"--png", ""}, {"--y4m"}, {"--y4m", ""}, {"--png-level"}}) {
    EXPECT_NE(Parse(bad).error, "") << bad[0];
  }
}

struct SizeCase {
  const char* name;
  std::vector<std::string> arguments;
  const char* error;  // a part of the message, or "" when accepted
};

class RenderOptionsSizeTest : public testing::TestWithParam<SizeCase> {};

// Sizes that the run could not finish are refused before it starts, with the
// size and the limit named; only the sizes the frames use count.
TEST_P(RenderOptionsSizeTest, RefusedUpFrontWithTheSizeAndLimitNamed) {
  const SizeCase& c = GetParam();
  const std::string error = Parse(c.arguments).error;
  if (*c.error == '\0') {
    EXPECT_EQ(error, "");
  } else {
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RenderOptionsSizeTest,
    testing::Values(
        SizeCase{"FrameOverTwoGiB",
                 {"--size", "30000x30000"},
                 "30000x30000 needs 2700000000 bytes, over the limit of 2147483647"},
        SizeCase{"LargestFrame", {"--size", "715827881x1"}, ""},  // 2147483643 bytes, padded to 2147483644
        SizeCase{"JustOverByPadding", {"--size", "715827882x1"}, "needs 2147483648 bytes"},
        SizeCase{"UnusedSizeIsNotChecked", {"--size", "8x8,30000x30000"}, ""},
        SizeCase{"UsedSecondSize", {"--size", "8x8,30000x30000", "--frames", "2"}, "30000x30000"},
        SizeCase{"PngSideLimit", {"--size", "1000001x1", "--png", "out"}, "up to 1000000 pixels a side, not 1000001x1"},
        SizeCase{"PngSideLimitTall", {"--size", "1x1000001", "--png", "out"}, "1000000"},
        SizeCase{"WideFrameWithoutPng", {"--size", "1000001x1"}, ""},
        SizeCase{"VideoSizesDiffer",
                 {"--size", "8x8,8x6", "--frames", "2", "--y4m", "v.y4m"},
                 "first frame's size 8x8, not 8x6"},
        SizeCase{"VideoStartsEmpty", {"--size", "0x8", "--y4m", "v.y4m"}, "empty frame (0x8)"},
        SizeCase{"VideoAndTraceOnStdout", {"--trace", "--y4m", "-"}, "standard output"},
        SizeCase{"WidthOutOfRange", {"--size", "8x8,99999999999x1"}, "width '99999999999' is out of range"},
        SizeCase{"FramesOutOfRange",
                 {"--frames", "9223372036854775808"},
                 "'9223372036854775808' is out of range (at most 9223372036854775807)"},
        SizeCase{"VideoToFileAndTrace", {"--trace", "--y4m", "v.y4m", "--size", "7x5,7x5", "--frames", "9"}, ""}),
    [](const testing::TestParamInfo<SizeCase>& param) { return std::string(param.param.name); });

}  // namespace
