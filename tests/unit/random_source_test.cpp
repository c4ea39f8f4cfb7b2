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

TEST_F(RandomSourceTest, EveryRangeAdvancesTheStateByOneStep) {
  EXPECT_EQ(RandomBelow(0), 0);
  EXPECT_EQ(RandomBelow(1), 0);
  EXPECT_EQ(RandomBelow(12345), 10629);
  EXPECT_EQ(RandomState, 3698175007u);  // the third state of the sequence above
}

TEST_F(RandomSourceTest, LargeRangesScaleTheStateInsteadOfTakingARemainder) {
  RandomBelow(0x7FFFFFFF);
  // The second state is 134775814: a remainder would return it unchanged,
  // the widening multiply returns about half of it.
  EXPECT_EQ(RandomBelow(0x7FFFFFFF), 67387906);
}

}  // namespace
