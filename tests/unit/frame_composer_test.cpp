#include "core/frame_composer.h"

#include <gtest/gtest.h>

#include "core/caption_schedule.h"
#include "core/frame_size.h"
#include "core/random_source.h"
#include "support/platform_probe.h"
#include "raster/raster_module.h"
#include "support/fake_window.h"

// Compared field by field, for the expected figures below.
bool operator==(const LineTrace& a, const LineTrace& b) {
  return a.pen_width == b.pen_width && a.color == b.color && a.from.x == b.from.x && a.from.y == b.from.y &&
         a.to.x == b.to.x && a.to.y == b.to.y;
}

namespace {

// How many draws took the generator from `from` to `to`.
std::uint64_t DrawsBetween(std::uint32_t from, std::uint32_t to) {
  std::uint64_t calls = 0;
  for (; from != to && calls < 10000000; ++calls) from = from * 134775813u + 1u;
  return calls;
}

int Grey(TBitmap& bitmap, int x, int y) {
  const std::uint8_t* pixel = bitmap.RowPixels(y) + 3 * x;
  EXPECT_TRUE(pixel[0] == pixel[1] && pixel[1] == pixel[2]) << x << "," << y;
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

TEST_F(FrameComposerTest, FirstTinyFrameDrawsTheFixedNoiseAndNoFigure) {
  FrameTrace trace;
  BuildFrame(4, 3, &trace);
  EXPECT_TRUE(trace.lines.empty() && trace.rings.empty() && !trace.twin_rings);
  EXPECT_EQ(RandomState, 2546634309u);
  EXPECT_EQ(DrawsBetween(0, RandomState), 45u);
  // Level, centred, and jitter 0, 1, 0, 1: both copies one pixel down.
  ASSERT_TRUE(trace.text);
  const POINT centred{2 - trace.text->measured.cx / 2, 1 - trace.text->measured.cy / 2};
  EXPECT_EQ(trace.text->escapement, 0);
  for (const POINT copy : {trace.text->silver, trace.text->white}) {
    EXPECT_EQ(copy.x, centred.x);
    EXPECT_EQ(copy.y, centred.y + 1);
  }

  // The same draws with nothing written over the noise: rows from the top.
  RandomState = 0;
  CaptionText.clear();
  std::unique_ptr<TBitmap> frame = BuildFrame(4, 3);
  const int rows[3][4] = {{0, 2, 77, 18}, {24, 60, 28, 14}, {33, 38, 7, 42}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Grey(*frame, x, y), rows[y][x]) << x << "," << y;
  }
}

TEST_F(FrameComposerTest, FirstThreeSmallFramesDrawTheFixedFigures) {
  FrameTrace first, second, third;
  BuildFrame(64, 48, &first);
  EXPECT_TRUE(first.lines.empty() && first.rings.empty() && !first.twin_rings);
  EXPECT_EQ(DrawsBetween(0, RandomState), 3105u);

  BuildFrame(64, 48, &second);
  EXPECT_EQ(second.lines, (std::vector<LineTrace>{{1, 0, {0, 30}, {64, 40}}}));
  EXPECT_TRUE(second.rings.empty());

  BuildFrame(64, 48, &third);
  EXPECT_EQ(third.lines, (std::vector<LineTrace>{{1, 6 * 0x010101, {0, 14}, {64, 8}},
                                                 {1, 27 * 0x010101, {0, 21}, {64, 6}}}));
  ASSERT_EQ(third.rings.size(), 1u);
  const RingTrace& ring = third.rings[0];
  EXPECT_EQ(ring.pen_width, 2);
  EXPECT_EQ(ring.color, 53 * 0x010101);
  EXPECT_EQ(ring.box.left, 18);
  EXPECT_EQ(ring.box.top, 16);
  EXPECT_EQ(ring.box.right, 22);
  EXPECT_EQ(ring.box.bottom, 20);
}

TEST_F(FrameComposerTest, EmptyFramesStillMakeTheirLaterDrawsAndReachNoWindow) {
  FakeWindow window(200, 100);
  window.Fill(0xAB);
  const probe::LiveCounts before = probe::CountLive();
  for (const auto& [width, height] : {std::pair{0, 0}, {0, 48}, {64, 0}}) {
    const std::uint32_t start = RandomState;
    FrameWidth = width;
    FrameHeight = height;
    FrameTrace trace;
    ComposeFrame(window.handle(), &trace);
    // No noise: the figure tests and whatever figures were drawn (R(0) is 0,
    // so they sit on the frame's edge), then the caption's six to ten draws.
    const std::uint64_t figures =
        27 + 4 * trace.lines.size() + 5 * trace.rings.size() + (trace.twin_rings ? 4 : 0);
    const std::uint64_t draws = DrawsBetween(start, RandomState);
    EXPECT_GE(draws, figures + 6) << width << "x" << height;
    EXPECT_LE(draws, figures + 10) << width << "x" << height;
  }
  EXPECT_TRUE(window.AllPixelsAre(0xAB));
  EXPECT_EQ(probe::CountLive(), before);
}

TEST_F(FrameComposerTest, FrameIsCopiedToTheClientOriginAndClippedByTheWindow) {
  FakeWindow window(50, 30);
  FrameWidth = 64;
  FrameHeight = 48;
  ComposeFrame(window.handle());
  RandomState = 0;
  std::unique_ptr<TBitmap> same = BuildFrame(64, 48);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) ASSERT_EQ(window.Pixel(x, y), Grey(*same, x, y)) << x << "," << y;
  }
}

TEST_F(FrameComposerTest, FramesLeaveNothingBehind) {
  FakeWindow window(320, 240);
  FrameWidth = 320;
  FrameHeight = 240;
  const probe::LiveCounts before = probe::CountLive();
  const long misuse_before = probe::MisuseCount();
  for (int i = 0; i < 120; ++i) ComposeFrame(window.handle());  // lines, rings and tilts come up
  EXPECT_EQ(probe::CountLive(), before);
  EXPECT_EQ(probe::MisuseCount(), misuse_before);
}

}  // namespace
