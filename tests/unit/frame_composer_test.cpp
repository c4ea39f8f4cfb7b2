// Composing a frame into a window: the draws of empty frames, the copy to the
// client area, and nothing left behind. The figures of the first frames are
// the render tool's end-to-end test; their pixels are frame_pixels_pin_test's.
#include "core/frame_composer.h"

#include <gtest/gtest.h>

#include "core/caption_schedule.h"
#include "core/frame_size.h"
#include "core/random_source.h"
#include "raster_fixture.h"
#include "support/fake_window.h"

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

// The fixture checks that every test leaves no object and deletes none
// while selected.
class FrameComposerTest : public RasterTest {
 protected:
  void SetUp() override {
    RasterTest::SetUp();
    RandomState = 0;
    ResetCaptionSchedule();
  }
};

TEST_F(FrameComposerTest, EmptyFramesStillMakeTheirLaterDrawsAndReachNoWindow) {
  FakeWindow window(200, 100);
  window.Fill(0xAB);
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
}

// Lines, rings and tilted captions all come up within 120 frames.
TEST_F(FrameComposerTest, FramesAreCopiedToTheClientOriginClippedAndLeaveNothingBehind) {
  FakeWindow window(50, 30);
  FrameWidth = 320;
  FrameHeight = 240;
  for (int i = 0; i < 119; ++i) ComposeFrame(window.handle());
  const std::uint32_t state = RandomState;
  ComposeFrame(window.handle());
  RandomState = state;
  std::unique_ptr<TBitmap> same = BuildFrame(320, 240);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 50; ++x) ASSERT_EQ(window.Pixel(x, y), Grey(*same, x, y)) << x << "," << y;
  }
}

}  // namespace
