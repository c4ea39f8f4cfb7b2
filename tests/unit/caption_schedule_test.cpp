#include "core/caption_schedule.h"

#include <gtest/gtest.h>

#include "core/caption_table.h"

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

// The starting caption holds for 59 calls; two single blanks; "THE END"
// comes once, and after it the table starts again at row 1.
INSTANTIATE_TEST_SUITE_P(
    Calls, CaptionScheduleTest,
    ::testing::Values(Switch{"Start", 0, "d[^_^]b", 0, 0}, Switch{"StartHolds", 59, "d[^_^]b", 0, 2950},
                      Switch{"FirstRow", 60, CaptionRow(1), 1, 0}, Switch{"Row16", 1019, CaptionRow(16), 16, 2950},
                      Switch{"FirstBlank", 1020, " ", 17, 0}, Switch{"SecondBlankHolds", 1139, " ", 18, 2950},
                      Switch{"Row19", 1140, CaptionRow(19), 19, 0}, Switch{"Row20", 1259, CaptionRow(20), 20, 2950},
                      Switch{"TheEnd", 1260, "THE END", 0, 0}, Switch{"TheEndHolds", 1319, "THE END", 0, 2950},
                      Switch{"BackToRowOne", 1320, CaptionRow(1), 1, 0}),
    [](const ::testing::TestParamInfo<Switch>& tested) { return std::string(tested.param.name); });

// One byte per character, blanks included: a wrong encoding or a lost blank
// changes a length (and the centring of that caption).
TEST(CaptionTable, HoldsTheTextsInTheSingleByteCodePage) {
  const int lengths[] = {28, 13, 5, 30, 12, 18, 15, 16, 19, 19, 29, 25, 43, 20, 23, 39, 1, 1, 20};
  for (int row = 1; row <= 19; ++row) EXPECT_EQ(CaptionRow(row).size(), static_cast<std::size_t>(lengths[row - 1])) << row;
  EXPECT_EQ(CaptionRow(2), "\xC1\xC5\xC7 \xCF\xC0\xCD\xB2\xCA\xC8!!!");  // "БЕЗ ПАНІКИ!!!"
  EXPECT_EQ(CaptionRow(20).substr(0, 7), "eMail: ");
}

}  // namespace
