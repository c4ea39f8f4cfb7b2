#include "core/caption_painter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/caption_schedule.h"
#include "core/random_source.h"
#include "platform/soft/soft.h"
#include "raster/bitmap.h"
#include "raster/raster_module.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 100;

// The state from which the next draws satisfy `wanted`, searched along the
// generator's own sequence so the test needs no knowledge of its internals.
std::uint32_t FindState(const std::function<bool()>& wanted) {
  for (std::uint32_t start = 0, i = 0; i < 1000000; ++i) {
    RandomState = start;
    if (wanted()) return start;
    RandomState = start;
    RandomBelow(1);
    start = RandomState;
  }
  ADD_FAILURE() << "no such state";
  return 0;
}

std::uint64_t CallsBetween(std::uint32_t from, std::uint32_t to) {
  std::uint64_t calls = 0;
  while (from != to && calls < 100) {
    from = from * 134775813u + 1u;
    ++calls;
  }
  return calls;
}

std::vector<std::uint8_t> Pixels(TBitmap& bitmap) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* row = bitmap.RowPixels(y);
    pixels.insert(pixels.end(), row, row + 3 * bitmap.Width());
  }
  return pixels;
}

class CaptionPainterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRasterModule(); }
  static void TearDownTestSuite() { StopRasterModule(); }

  void SetUp() override {
    ResetCaptionSchedule();
    bitmap_.SetPixelDepth(24);
    bitmap_.SetWidth(kWidth);
    bitmap_.SetHeight(kHeight);
    for (int y = 0; y < kHeight; ++y) std::fill_n(bitmap_.RowPixels(y), 3 * kWidth, std::uint8_t{20});
  }

  // Paints from `state` and tells how many draws the caption used.
  std::uint64_t PaintFrom(std::uint32_t state, TextTrace& trace) {
    RandomState = state;
    PaintCaption(bitmap_.Canvas(), kWidth, kHeight, &trace);
    return CallsBetween(state, RandomState);
  }

  TBitmap bitmap_;
};

TEST_F(CaptionPainterTest, LevelCentredCaptionUsesSixDraws) {
  const std::uint32_t state = FindState([] { return RandomBelow(21) != 3 && RandomBelow(70) != 7; });
  TextTrace trace;
  EXPECT_EQ(PaintFrom(state, trace), 6u);
  EXPECT_EQ(trace.escapement, 0);
  EXPECT_GT(trace.measured.cx, 0);
  EXPECT_GT(trace.measured.cy, 0);
  const int centred_x = kWidth / 2 - trace.measured.cx / 2;
  const int centred_y = kHeight / 2 - trace.measured.cy / 2;
  for (const POINT copy : {trace.silver, trace.white}) {
    EXPECT_TRUE(copy.x == centred_x || copy.x == centred_x - 1) << copy.x;
    EXPECT_TRUE(copy.y == centred_y || copy.y == centred_y + 1) << copy.y;
  }
}

TEST_F(CaptionPainterTest, ATiltOfZeroTossesNoCoin) {
  const std::uint32_t state =
      FindState([] { return RandomBelow(21) == 3 && RandomBelow(30) == 0 && RandomBelow(70) != 7; });
  TextTrace trace;
  EXPECT_EQ(PaintFrom(state, trace), 7u);  // tilt test, tilt, placement, four jitters
  EXPECT_EQ(trace.escapement, 0);
}

TEST_F(CaptionPainterTest, ATiltTossesForItsDirection) {
  for (const int direction : {0, 1}) {
    const std::uint32_t state = FindState([direction] {
      return RandomBelow(21) == 3 && RandomBelow(30) == 17 && RandomBelow(2) == direction && RandomBelow(70) != 7;
    });
    TextTrace trace;
    EXPECT_EQ(PaintFrom(state, trace), 8u);
    EXPECT_EQ(trace.escapement, direction == 1 ? 17 : -17);
  }
}

TEST_F(CaptionPainterTest, AThrownCaptionLandsAtTheDrawnCornerAndIsClipped) {
  const std::uint32_t state = FindState([] {
    return RandomBelow(21) != 3 && RandomBelow(70) == 7 && RandomBelow(kWidth) > kWidth - 40 &&
           RandomBelow(kHeight) > kHeight - 20;
  });
  RandomState = state;
  RandomBelow(21);
  RandomBelow(70);
  const int x = RandomBelow(kWidth);
  const int y = RandomBelow(kHeight);
  CaptionText = std::string("\xC1\xC5\xC7 \xCF\xC0\xCD\xB2\xCA\xC8!!!");  // runs off the right edge
  TextTrace trace;
  EXPECT_EQ(PaintFrom(state, trace), 8u);
  EXPECT_TRUE(trace.silver.x == x || trace.silver.x == x - 1);
  EXPECT_TRUE(trace.silver.y == y || trace.silver.y == y + 1);
}

TEST_F(CaptionPainterTest, ASingleBlankDrawsNothingButStillShakes) {
  CaptionText = std::string(" ");
  const std::vector<std::uint8_t> before = Pixels(bitmap_);
  const std::uint32_t state = FindState([] { return RandomBelow(21) != 3 && RandomBelow(70) != 7; });
  TextTrace trace;
  EXPECT_EQ(PaintFrom(state, trace), 6u);
  EXPECT_EQ(Pixels(bitmap_), before);
}

TEST_F(CaptionPainterTest, CopiesAreSilverThenWhiteWithinAPixelOfEachOther) {
  CaptionText = std::string("THE END");
  RandomState = 0;
  int brightest = 0;
  bool silver_seen = false;
  for (int frame = 0; frame < 40; ++frame) {
    SetUp();
    TextTrace trace;
    PaintCaption(bitmap_.Canvas(), kWidth, kHeight, &trace);
    EXPECT_LE(std::abs(trace.white.x - trace.silver.x), 1);
    EXPECT_LE(std::abs(trace.white.y - trace.silver.y), 1);
    for (const std::uint8_t value : Pixels(bitmap_)) {
      brightest = std::max<int>(brightest, value);
      silver_seen = silver_seen || value == 0xC0;
    }
  }
  EXPECT_EQ(brightest, 0xFF);
  EXPECT_TRUE(silver_seen);
}

TEST_F(CaptionPainterTest, TheCaptionFontIsBoldArialAtQuality200) {
  TextTrace trace;
  PaintFrom(0, trace);
  LOGFONTA description{};
  ASSERT_EQ(GetObjectA(bitmap_.Canvas().Font().FontHandle(), sizeof description, &description),
            static_cast<int>(sizeof description));
  EXPECT_STREQ(description.lfFaceName, "Arial");
  EXPECT_EQ(description.lfWeight, 700);
  EXPECT_EQ(description.lfHeight, -29);  // 22 points at 96 pixels per inch
  EXPECT_EQ(description.lfQuality, 200);
  EXPECT_EQ(bitmap_.Canvas().Font().Color(), clWhite);
}

}  // namespace
