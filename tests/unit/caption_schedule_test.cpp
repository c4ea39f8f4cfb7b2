#include "core/caption_schedule.h"

#include <gtest/gtest.h>

#include "core/caption_table.h"

namespace {

class CaptionScheduleTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetCaptionSchedule(); }

  static void Advance(int calls) {
    for (int i = 0; i < calls; ++i) AdvanceCaption();
  }
};

TEST_F(CaptionScheduleTest, StartingCaptionHoldsForFiftyNineTicks) {
  EXPECT_EQ(CaptionText, "d[^_^]b");
  Advance(59);
  EXPECT_EQ(CaptionText, "d[^_^]b");
  EXPECT_EQ(CaptionClock, 2950);
  EXPECT_EQ(CaptionIndex, 0);

  AdvanceCaption();  // call 60
  EXPECT_EQ(CaptionText, CaptionRow(1));
  EXPECT_EQ(CaptionClock, 0);
  EXPECT_EQ(CaptionIndex, 1);
}

TEST_F(CaptionScheduleTest, SwitchesAtTheFixedCalls) {
  Advance(1019);
  EXPECT_EQ(CaptionText, CaptionRow(16));
  AdvanceCaption();  // 1020: the first of two single blanks
  EXPECT_EQ(CaptionText, " ");
  Advance(119);  // up to 1139
  EXPECT_EQ(CaptionText, " ");
  EXPECT_EQ(CaptionIndex, 18);
  AdvanceCaption();  // 1140
  EXPECT_EQ(CaptionText, CaptionRow(19));

  Advance(119);  // 1259
  EXPECT_EQ(CaptionText, CaptionRow(20));
  AdvanceCaption();  // 1260
  EXPECT_EQ(CaptionText, "THE END");
  EXPECT_EQ(CaptionIndex, 0);

  Advance(59);  // 1319
  EXPECT_EQ(CaptionText, "THE END");
  EXPECT_EQ(CaptionIndex, 0);
  AdvanceCaption();  // 1320: back to row 1, never to the starting caption
  EXPECT_EQ(CaptionText, CaptionRow(1));
  EXPECT_EQ(CaptionIndex, 1);
}

TEST_F(CaptionScheduleTest, TableHoldsTheTextsInTheSingleByteCodePage) {
  // Lengths in bytes: one byte per character, blanks included.
  // One byte per character, blanks included: a wrong encoding or a lost
  // blank changes a length (and the centring of that caption).
  const int lengths[] = {28, 13, 5, 30, 12, 18, 15, 16, 19, 19, 29, 25, 43, 20, 23, 39, 1, 1, 20};
  for (int row = 1; row <= 19; ++row) EXPECT_EQ(CaptionRow(row).size(), static_cast<std::size_t>(lengths[row - 1])) << row;
  EXPECT_EQ(CaptionRow(2), "\xC1\xC5\xC7 \xCF\xC0\xCD\xB2\xCA\xC8!!!");  // "БЕЗ ПАНІКИ!!!"
  EXPECT_EQ(CaptionRow(20).substr(0, 7), "eMail: ");
}

}  // namespace
