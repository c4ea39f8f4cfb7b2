// The caption: which text each frame shows, from the table of texts, and
// how it is painted: its draws, tilt, place, colours and font.
#include "core/caption_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "core/caption_schedule.h"
#include "core/caption_table.h"
#include "core/random_source.h"
#include "raster_fixture.h"

namespace {

struct Switch {
  const char* name;
  int calls;  // AdvanceCaption calls since the start
  std::string_view text;
  int index, clock;
};

void PrintTo(const Switch& at, std::ostream* out) { *out << at.name; }

class CaptionScheduleTest : public ::testing::TestWithParam<Switch> {};

TEST_P(CaptionScheduleTest, ShowsTheCaptionOfItsCall) {
  const Switch& c = GetParam();
  ResetCaptionSchedule();
  for (int i = 0; i < c.calls; ++i) AdvanceCaption();
  EXPECT_EQ(CaptionText, c.text);
  EXPECT_EQ(CaptionIndex, c.index);
  EXPECT_EQ(CaptionClock, c.clock);
}

// Two single blanks; "THE END" comes once, and after it the table starts
// again at row 1. That the starting caption holds for 59 calls before row 1
// is the render tool's end-to-end test.
INSTANTIATE_TEST_SUITE_P(
    Calls, CaptionScheduleTest,
    ::testing::Values(Switch{"Row16", 1019, CaptionRow(16), 16, 2950}, Switch{"FirstBlank", 1020, " ", 17, 0},
                      Switch{"SecondBlankHolds", 1139, " ", 18, 2950}, Switch{"Row19", 1140, CaptionRow(19), 19, 0},
                      Switch{"Row20", 1259, CaptionRow(20), 20, 2950}, Switch{"TheEnd", 1260, "THE END", 0, 0},
                      Switch{"TheEndHolds", 1319, "THE END", 0, 2950},
                      Switch{"BackToRowOne", 1320, CaptionRow(1), 1, 0}),
    [](const ::testing::TestParamInfo<Switch>& tested) { return std::string(tested.param.name); });

// One byte per character, blanks included: a wrong encoding or a lost blank
// changes a length (and the centring of that caption).
TEST(CaptionTable, HoldsTheTextsInTheSingleByteCodePage) {
  const int lengths[] = {28, 13, 5, 30, 12, 18, 15, 16, 19, 19, 29, 25, 43, 20, 23, 39, 1, 1, 20};
  for (int row = 1; row <= 19; ++row) {
    EXPECT_EQ(CaptionRow(row).size(), static_cast<std::size_t>(lengths[row - 1])) << row;
  }
  EXPECT_EQ(CaptionRow(2), "\xC1\xC5\xC7 \xCF\xC0\xCD\xB2\xCA\xC8!!!");  // "БЕЗ ПАНІКИ!!!"
  EXPECT_EQ(CaptionRow(20).substr(0, 7), "eMail: ");
}

constexpr int kWidth = 400;
constexpr int kHeight = 100;

// A state from which the next draws satisfy `wanted`, found along the
// generator's own sequence.
std::uint32_t FindState(const std::function<bool()>& wanted) {
  std::uint32_t start = 0;
  for (int i = 0; i < 1000000; ++i, start = start * 134775813u + 1u) {
    RandomState = start;
    if (wanted()) return start;
  }
  ADD_FAILURE() << "no such state";
  return 0;
}

class CaptionPainterTest : public WithRasterModule<> {
 protected:
  void SetUp() override {
    ResetCaptionSchedule();
    MakeFilled(bitmap_, kWidth, kHeight, 0x141414);
  }

  // Paints from `state`; returns how many draws the caption used.
  int PaintFrom(std::uint32_t state, TextTrace& trace) {
    RandomState = state;
    PaintCaption(bitmap_.Canvas(), kWidth, kHeight, &trace);
    int draws = 0;
    for (; state != RandomState && draws < 100; ++draws) state = state * 134775813u + 1u;
    return draws;
  }

  TBitmap bitmap_;
};

bool Level() { return RandomBelow(21) != 3 && RandomBelow(70) != 7; }

// Which draws decide the tilt (a coin for its direction unless it is zero),
// and how many draws the caption takes with each.
struct Tilt {
  const char* name;
  int tilt;  // the tilt drawn, or -1 for a level caption
  int coin;  // the direction drawn, or -1 for none
  int draws, escapement;
};

void PrintTo(const Tilt& tilt, std::ostream* out) { *out << tilt.name; }

class CaptionTiltTest : public CaptionPainterTest, public ::testing::WithParamInterface<Tilt> {};

TEST_P(CaptionTiltTest, TakesItsDrawsAndTilts) {
  const Tilt& t = GetParam();
  const std::uint32_t state = FindState([&] {
    if (t.tilt < 0) return Level();
    return RandomBelow(21) == 3 && RandomBelow(30) == t.tilt && (t.coin < 0 || RandomBelow(2) == t.coin) &&
           RandomBelow(70) != 7;
  });
  TextTrace trace;
  EXPECT_EQ(PaintFrom(state, trace), t.draws);
  EXPECT_EQ(trace.escapement, t.escapement);
}

INSTANTIATE_TEST_SUITE_P(Tilts, CaptionTiltTest,
                         ::testing::Values(Tilt{"Level", -1, -1, 6, 0}, Tilt{"TiltOfZero", 0, -1, 7, 0},
                                           Tilt{"TiltedClockwise", 17, 0, 8, -17},
                                           Tilt{"TiltedAnticlockwise", 17, 1, 8, 17}),
                         [](const ::testing::TestParamInfo<Tilt>& tested) { return std::string(tested.param.name); });

TEST_F(CaptionPainterTest, LevelCaptionIsCentredAndShakenByAPixelEvenWhenBlank) {
  TextTrace trace;
  PaintFrom(FindState(Level), trace);
  const int centred_x = kWidth / 2 - trace.measured.cx / 2;
  const int centred_y = kHeight / 2 - trace.measured.cy / 2;
  for (const POINT copy : {trace.silver, trace.white}) {
    EXPECT_TRUE(copy.x == centred_x || copy.x == centred_x - 1) << copy.x;
    EXPECT_TRUE(copy.y == centred_y || copy.y == centred_y + 1) << copy.y;
  }
  CaptionText = std::string(" ");
  const std::vector<std::uint8_t> before = PixelBytes(bitmap_);
  EXPECT_EQ(PaintFrom(FindState(Level), trace), 6) << "a single blank still shakes";
  EXPECT_EQ(PixelBytes(bitmap_), before) << "and draws nothing";
}

TEST_F(CaptionPainterTest, AThrownCaptionLandsAtTheDrawnCornerAndRunsOffTheFrame) {
  int x = 0, y = 0;
  const std::uint32_t state = FindState([&] {
    if (RandomBelow(21) == 3 || RandomBelow(70) != 7) return false;
    x = RandomBelow(kWidth);
    y = RandomBelow(kHeight);
    return x > kWidth - 40 && y > kHeight - 20;
  });
  CaptionText = std::string("\xC1\xC5\xC7 \xCF\xC0\xCD\xB2\xCA\xC8!!!");
  TextTrace trace;
  EXPECT_EQ(PaintFrom(state, trace), 8);
  EXPECT_TRUE(trace.silver.x == x || trace.silver.x == x - 1);
  EXPECT_TRUE(trace.silver.y == y || trace.silver.y == y + 1);
}

TEST_F(CaptionPainterTest, SilverThenWhiteInBoldArialAtQuality200) {
  const std::uint32_t state = FindState([] {
    if (!Level()) return false;
    const int j1 = RandomBelow(2), j2 = RandomBelow(2), j3 = RandomBelow(2), j4 = RandomBelow(2);
    return j1 != j3 || j2 != j4;  // the copies lie apart
  });
  TextTrace trace;
  PaintFrom(state, trace);
  // The white copy is the silver one moved by (dx, dy): where the pixel that far
  // back is untouched background, the white copy covers nothing; only silver can be.
  const int dx = trace.white.x - trace.silver.x, dy = trace.white.y - trace.silver.y;
  COLORREF brightest_silver_only = 0;
  bool white_seen = false;
  for (int y = std::max(0, dy); y < kHeight + std::min(0, dy); ++y) {
    for (int x = std::max(0, dx); x < kWidth + std::min(0, dx); ++x) {
      const COLORREF pixel = PixelAt(bitmap_, x, y);
      white_seen = white_seen || pixel == 0xFFFFFF;
      if (PixelAt(bitmap_, x - dx, y - dy) == 0x141414) brightest_silver_only = std::max(brightest_silver_only, pixel);
    }
  }
  EXPECT_EQ(brightest_silver_only, 0xC0C0C0u);
  EXPECT_TRUE(white_seen);

  LOGFONTA description{};
  ASSERT_EQ(GetObjectA(bitmap_.Canvas().Font().FontHandle(), sizeof description, &description),
            static_cast<int>(sizeof description));
  EXPECT_STREQ(description.lfFaceName, "Arial");
  EXPECT_EQ(description.lfWeight, 700);
  EXPECT_EQ(description.lfHeight, -29);  // 22 points at 96 pixels per inch
  EXPECT_EQ(description.lfQuality, 200);
  EXPECT_EQ(description.lfCharSet, RUSSIAN_CHARSET) << "the captions' bytes are Cyrillic on any system";
}

}  // namespace
