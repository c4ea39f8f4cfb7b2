#include "tools/render_options.h"

#include <gtest/gtest.h>

namespace {

ParsedOptions Parse(std::vector<std::string> arguments) { return ParseRenderOptions(arguments); }

TEST(RenderOptionsTest, DefaultsAndSizeListsThatMayBeEmpty) {
  EXPECT_EQ(Parse({}).options.sizes, (std::vector<FrameSize>{{1024, 768}}));
  EXPECT_EQ(Parse({}).options.frames, 1);
  const ParsedOptions parsed = Parse({"--size", "320x240,0x0,0x48,64x0", "--frames", "7", "--png", "out", "--trace"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.sizes, (std::vector<FrameSize>{{320, 240}, {0, 0}, {0, 48}, {64, 0}}));
  EXPECT_EQ(parsed.options.frames, 7);
  EXPECT_EQ(parsed.options.png_folder, "out");
  EXPECT_TRUE(parsed.options.trace);
}

TEST(RenderOptionsTest, MalformedOrNegativeSizesAreRefused) {
  for (const char* bad : {"", "x", "320", "320x", "x240", "-1x5", "5x-1", "320x240,", ",320x240", "32 0x240",
                          "320X240", "3.5x2", "+3x2", "99999999999x1", "320x240x2", "0x1e3"}) {
    EXPECT_NE(Parse({"--size", bad}).error, "") << '"' << bad << '"';
  }
}

TEST(RenderOptionsTest, BadFramesUnknownOptionsAndMissingValuesAreRefused) {
  for (const char* bad : {"0", "-3", "", "two", "1.5", "3frames"}) EXPECT_NE(Parse({"--frames", bad}).error, "") << bad;
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"--fast"}, {"frames"}, {"--frames"}, {"--png"}, {"--png", ""}}) {
    EXPECT_NE(Parse(bad).error, "") << bad[0];
  }
}

}  // namespace
