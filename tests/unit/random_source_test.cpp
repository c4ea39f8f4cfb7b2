#include "core/random_source.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class RandomSourceTest : public ::testing::Test {
 protected:
  void SetUp() override { RandomState = 0; }
};

TEST_F(RandomSourceTest, FirstDrawsFromTheStartingStateAreFixed) {
  const std::array<std::int32_t, 8> values{0, 2, 77, 18, 24, 60, 28, 14};
  const std::array<std::uint32_t, 8> states{1u,          134775814u,  3698175007u, 870078620u,
                                            1172187917u, 2884733762u, 1368768587u, 694906232u};
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(RandomBelow(90), values[i]) << "draw " << i + 1;
    EXPECT_EQ(RandomState, states[i]) << "draw " << i + 1;
  }
}

TEST_F(RandomSourceTest, EmptyAndUnitRangesGiveZeroButStillAdvance) {
  std::uint32_t previous = RandomState;
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(RandomBelow(i % 2), 0);
    EXPECT_NE(RandomState, previous);
    previous = RandomState;
  }
  // The step is the same whatever the range: the third state is the one of
  // the fixed sequence above.
  RandomState = 0;
  RandomBelow(0);
  RandomBelow(1);
  RandomBelow(12345);
  EXPECT_EQ(RandomState, 3698175007u);
}

TEST_F(RandomSourceTest, ResultsStayBelowTheRangeAndCoverIt) {
  std::array<int, 2> coin{};
  std::array<int, 90> greys{};
  for (int i = 0; i < 100000; ++i) {
    const std::int32_t toss = RandomBelow(2);
    ASSERT_GE(toss, 0);
    ASSERT_LT(toss, 2);
    ++coin[static_cast<std::size_t>(toss)];
    const std::int32_t grey = RandomBelow(90);
    ASSERT_GE(grey, 0);
    ASSERT_LT(grey, 90);
    ++greys[static_cast<std::size_t>(grey)];
  }
  EXPECT_GT(coin[0], 45000);
  EXPECT_GT(coin[1], 45000);
  for (const int count : greys) EXPECT_GT(count, 900);
}

TEST_F(RandomSourceTest, LargeRangesScaleTheStateInsteadOfTakingARemainder) {
  RandomBelow(0x7FFFFFFF);
  // The second state is 134775814: a remainder would return it unchanged,
  // the widening multiply returns about half of it.
  EXPECT_EQ(RandomBelow(0x7FFFFFFF), 67387906);
}

}  // namespace
