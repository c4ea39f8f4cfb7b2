#include "core/random_source.h"

#include <gtest/gtest.h>

namespace {

// The first states of the sequence are 1, 134775814, 3698175007, 870078620;
// a range scales the state by a widening multiply, and every draw is one step.
// The noise's draws are frame_pixels_pin_test's.
TEST(RandomSourceTest, EveryRangeIsOneStepScaledByAWideningMultiply) {
  RandomState = 0;
  EXPECT_EQ(RandomBelow(90), 0);
  EXPECT_EQ(RandomBelow(0x7FFFFFFF), 67387906) << "about half the state: a remainder would give it back unchanged";
  EXPECT_EQ(RandomBelow(12345), 10629);
  EXPECT_EQ(RandomBelow(0), 0);
  EXPECT_EQ(RandomBelow(1), 0);
  EXPECT_EQ(RandomState, 1172187917u) << "the fifth state";
}

}  // namespace
