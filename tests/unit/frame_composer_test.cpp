// Composing a frame into a window: the copy to the client area, and nothing
// left behind. The draws of frames, empty ones too, are pinned by the random
// states of the render tool's traces; their pixels by frame_pixels_pin_test.
#include "core/frame_composer.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/caption_schedule.h"
#include "core/frame_size.h"
#include "core/random_source.h"
#include "raster_fixture.h"
#include "support/fake_window.h"

namespace {

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

TEST_F(FrameComposerTest, EmptyFramesReachNoWindow) {
  FakeWindow window(200, 100);
  window.Fill(0xAB);
  for (const auto& [width, height] : {std::pair{0, 0}, {0, 48}, {64, 0}}) {
    FrameWidth = width;
    FrameHeight = height;
    ComposeFrame(window.handle());
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
