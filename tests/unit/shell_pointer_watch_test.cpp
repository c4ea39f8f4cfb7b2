// A still pointer's reported moves never end the screensaver; a movement of
// more than a few pixels from where it rested does.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "shell/pointer_watch.h"

namespace {

// The answers to a sequence of moves.
std::vector<bool> Answers(const std::vector<std::pair<int, int>>& moves) {
  PointerWatch watch;
  std::vector<bool> answers;
  for (const auto& [x, y] : moves) answers.push_back(watch.MovedAway(x, y));
  return answers;
}

TEST(PointerWatch, TakesTheFirstPositionAsRestWhereverItIs) {
  EXPECT_EQ(Answers({{900, 700}, {900, 700}, {-3000, 20}}), (std::vector<bool>{false, false, true}));
}

TEST(PointerWatch, EndsOnlyBeyondTheThresholdInEitherDirection) {
  constexpr int t = PointerWatch::kThreshold;
  EXPECT_EQ(Answers({{100, 100}, {100 + t, 100 - t}, {100 - t, 100 + t}, {100 + t + 1, 100}}),
            (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(Answers({{100, 100}, {100, 100 - t - 1}}), (std::vector<bool>{false, true}));
  // Creeping by small steps still adds up, measured from the rest.
  EXPECT_EQ(Answers({{0, 0}, {3, 0}, {6, 0}}), (std::vector<bool>{false, false, true}));
}

}  // namespace
