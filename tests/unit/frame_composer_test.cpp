#include "core/frame_composer.h"

#include <gtest/gtest.h>

#include "core/caption_schedule.h"
#include "core/frame_size.h"
#include "core/random_source.h"
#include "platform/soft/soft.h"
#include "raster/raster_module.h"
#include "support/fake_window.h"

namespace {

std::uint32_t StateAfter(std::uint64_t calls) {
  std::uint32_t state = 0;
  for (std::uint64_t i = 0; i < calls; ++i) state = state * 134775813u + 1u;
  return state;
}

int Grey(TBitmap& bitmap, int x, int y) {
  const std::uint8_t* pixel = bitmap.RowPixels(y) + 3 * x;
  EXPECT_EQ(pixel[0], pixel[1]);
  EXPECT_EQ(pixel[1], pixel[2]);
  return pixel[0];
}

class FrameComposerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRasterModule(); }
  static void TearDownTestSuite() { StopRasterModule(); }
  void SetUp() override {
    RandomState = 0;
    ResetCaptionSchedule();
  }
};

TEST_F(FrameComposerTest, FirstTinyFrameIsTheFixedNoiseAndNoFigure) {
  FrameTrace trace;
  std::unique_ptr<TBitmap> frame = BuildFrame(4, 3, &trace);
  ASSERT_EQ(frame->Width(), 4);
  ASSERT_EQ(frame->Height(), 3);
  EXPECT_TRUE(trace.lines.empty());
  EXPECT_TRUE(trace.rings.empty());
  EXPECT_FALSE(trace.twin_rings.has_value());
  EXPECT_EQ(RandomState, 2546634309u);
  EXPECT_EQ(RandomState, StateAfter(45));
  ASSERT_TRUE(trace.text.has_value());
  EXPECT_EQ(trace.text->escapement, 0);
  // Jitter draws 0, 1, 0, 1: both copies one pixel below the centred place.
  const int centred_x = 4 / 2 - trace.text->measured.cx / 2;
  const int centred_y = 3 / 2 - trace.text->measured.cy / 2;
  EXPECT_EQ(trace.text->silver.x, centred_x);
  EXPECT_EQ(trace.text->silver.y, centred_y + 1);
  EXPECT_EQ(trace.text->white.x, centred_x);
  EXPECT_EQ(trace.text->white.y, centred_y + 1);
}

TEST_F(FrameComposerTest, NoiseRowsComeFromTheTopDown) {
  CaptionText.clear();  // the same draws, with nothing written over the noise
  std::unique_ptr<TBitmap> frame = BuildFrame(4, 3);
  const int rows[3][4] = {{0, 2, 77, 18}, {24, 60, 28, 14}, {33, 38, 7, 42}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Grey(*frame, x, y), rows[y][x]) << x << "," << y;
  }
  EXPECT_EQ(RandomState, 2546634309u);
}

TEST_F(FrameComposerTest, FirstThreeSmallFramesDrawTheFixedFigures) {
  FrameTrace first;
  BuildFrame(64, 48, &first);
  EXPECT_TRUE(first.lines.empty());
  EXPECT_TRUE(first.rings.empty());
  EXPECT_FALSE(first.twin_rings.has_value());
  EXPECT_EQ(RandomState, StateAfter(3105));

  FrameTrace second;
  BuildFrame(64, 48, &second);
  ASSERT_EQ(second.lines.size(), 1u);
  EXPECT_EQ(second.lines[0].pen_width, 1);
  EXPECT_EQ(second.lines[0].color, 0);
  EXPECT_EQ(second.lines[0].from.x, 0);
  EXPECT_EQ(second.lines[0].from.y, 30);
  EXPECT_EQ(second.lines[0].to.x, 64);
  EXPECT_EQ(second.lines[0].to.y, 40);
  EXPECT_TRUE(second.rings.empty());

  FrameTrace third;
  BuildFrame(64, 48, &third);
  ASSERT_EQ(third.lines.size(), 2u);
  EXPECT_EQ(third.lines[0].pen_width, 1);
  EXPECT_EQ(third.lines[0].color, 6 * 0x010101);
  EXPECT_EQ(third.lines[0].from.y, 14);
  EXPECT_EQ(third.lines[0].to.y, 8);
  EXPECT_EQ(third.lines[1].pen_width, 1);
  EXPECT_EQ(third.lines[1].color, 27 * 0x010101);
  EXPECT_EQ(third.lines[1].from.y, 21);
  EXPECT_EQ(third.lines[1].to.y, 6);
  ASSERT_EQ(third.rings.size(), 1u);
  EXPECT_EQ(third.rings[0].pen_width, 2);
  EXPECT_EQ(third.rings[0].color, 53 * 0x010101);
  EXPECT_EQ(third.rings[0].box.left, 18);
  EXPECT_EQ(third.rings[0].box.top, 16);
  EXPECT_EQ(third.rings[0].box.right, 22);
  EXPECT_EQ(third.rings[0].box.bottom, 20);
}

TEST_F(FrameComposerTest, EveryPixelIsGreyAndFiguresStayDarkerThanTheCaption) {
  // Static is 0..89, lines and rings up to 149; only the caption (silver and
  // white, blended over grey) is brighter. Everything stays grey.
  ResetCaptionSchedule();
  for (int frame_number = 0; frame_number < 30; ++frame_number) {
    FrameTrace trace;
    std::unique_ptr<TBitmap> frame = BuildFrame(160, 120, &trace);
    for (const LineTrace& line : trace.lines) EXPECT_LT(line.color & 0xFF, 70);
    for (const RingTrace& ring : trace.rings) EXPECT_LT(ring.color & 0xFF, 150);
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 160; ++x) Grey(*frame, x, y);
    }
  }
}

TEST_F(FrameComposerTest, EmptyFramesStillMakeTheirLaterDrawsAndReachNoWindow) {
  FakeWindow window(200, 100);
  window.Fill(0xAB);
  const soft::LiveCounts before = soft::CountLive();
  for (const auto& [width, height] : {std::pair{0, 0}, {0, 48}, {64, 0}}) {
    const std::uint32_t start = RandomState;
    FrameWidth = width;
    FrameHeight = height;
    FrameTrace trace;
    ComposeFrame(window.handle(), &trace);
    // No noise: only the figure tests and the figures drawn (R(0) is 0, so
    // they all sit on the frame's edge), then the caption's six to ten draws.
    const std::uint64_t figures = 20 + 4 * trace.lines.size() + 6 + 5 * trace.rings.size() + 1 +
                                  (trace.twin_rings ? 4 : 0);
    std::uint32_t state = start;
    std::uint64_t calls = 0;
    while (state != RandomState && calls < 1000) {
      state = state * 134775813u + 1u;
      ++calls;
    }
    EXPECT_GE(calls, figures + 6) << width << "x" << height;
    EXPECT_LE(calls, figures + 10) << width << "x" << height;
  }
  EXPECT_TRUE(window.AllPixelsAre(0xAB));
  EXPECT_EQ(soft::CountLive(), before);
}

TEST_F(FrameComposerTest, FrameIsCopiedToTheClientOriginAndClippedByTheWindow) {
  FakeWindow window(50, 30);
  FrameWidth = 64;
  FrameHeight = 48;
  ComposeFrame(window.handle());
  EXPECT_EQ(window.Presented(), 1);
  RandomState = 0;
  std::unique_ptr<TBitmap> same = BuildFrame(64, 48);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) ASSERT_EQ(window.Pixel(x, y), Grey(*same, x, y)) << x << "," << y;
  }
}

TEST_F(FrameComposerTest, AFrameLeavesNothingBehind) {
  FakeWindow window(320, 240);
  FrameWidth = 320;
  FrameHeight = 240;
  const soft::LiveCounts before = soft::CountLive();
  const long misuse_before = soft::MisuseCount();
  for (int i = 0; i < 120; ++i) ComposeFrame(window.handle());  // lines, rings and tilts come up
  EXPECT_EQ(soft::CountLive(), before);
  EXPECT_EQ(soft::MisuseCount(), misuse_before);
}

TEST_F(FrameComposerTest, SameSizesPaintTheSameFrames) {
  auto checksum = [] {
    RandomState = 0;
    std::uint64_t sum = 0;
    for (int i = 0; i < 5; ++i) {
      std::unique_ptr<TBitmap> frame = BuildFrame(97, 61);
      for (int y = 0; y < frame->Height(); ++y) {
        const std::uint8_t* row = frame->RowPixels(y);
        for (int x = 0; x < 3 * frame->Width(); ++x) sum = sum * 31 + row[x];
      }
    }
    return sum;
  };
  EXPECT_EQ(checksum(), checksum());
}

}  // namespace
