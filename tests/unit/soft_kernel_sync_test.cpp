// Critical sections and MulDiv.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <thread>

#include "platform/soft/soft.h"
#include "platform/win32.h"

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

struct MulDivCase {
  const char* name;
  int number, numerator, denominator, expected;
};

void PrintTo(const MulDivCase& tested, std::ostream* out) { *out << tested.name; }

class MulDivTest : public ::testing::TestWithParam<MulDivCase> {};

// Rounds halves away from zero in a 64-bit product; -1 for what does not fit.
TEST_P(MulDivTest, Gives) {
  const MulDivCase& c = GetParam();
  EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulDivTest,
    ::testing::Values(MulDivCase{"PointsToPixels", 22, 96, 72, 29}, MulDivCase{"PixelsToPoints", -29, 72, 96, -22},
                      MulDivCase{"HalfUp", 3, 1, 2, 2}, MulDivCase{"NegativeHalfDown", -3, 1, 2, -2},
                      MulDivCase{"NegativeDenominator", 3, 1, -2, -2}, MulDivCase{"TwoNegatives", -3, -1, -2, -2},
                      MulDivCase{"QuarterDown", 5, 1, 4, 1}, MulDivCase{"NegativeThirdToZero", -1, 1, 3, 0},
                      MulDivCase{"ProductBeyond32Bits", kMax, kMax, kMax, kMax},
                      MulDivCase{"LargeProduct", 1 << 20, 1 << 20, 1 << 30, 1024},
                      MulDivCase{"SmallestInt", kMin, 2, 2, kMin}, MulDivCase{"TooLarge", kMax, 2, 1, -1},
                      MulDivCase{"NegatedSmallestInt", kMin, -1, 1, -1}, MulDivCase{"ZeroDenominator", 7, 3, 0, -1}),
    [](const ::testing::TestParamInfo<MulDivCase>& tested) { return std::string(tested.param.name); });

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EXPECT_TRUE(TryEnterCriticalSection(&section));  // the owner may enter again
  auto try_elsewhere = [&] {
    BOOL entered = FALSE;
    std::thread([&] {
      entered = TryEnterCriticalSection(&section);
      if (entered) LeaveCriticalSection(&section);
    }).join();
    return entered;
  };
  EXPECT_FALSE(try_elsewhere());
  LeaveCriticalSection(&section);
  EXPECT_FALSE(try_elsewhere());
  LeaveCriticalSection(&section);
  EXPECT_TRUE(try_elsewhere());
  DeleteCriticalSection(&section);

  // Use after deletion is counted, not fatal.
  const long misuse = soft::MisuseCount();
  EnterCriticalSection(&section);
  EXPECT_FALSE(TryEnterCriticalSection(&section));
  LeaveCriticalSection(&section);
  EXPECT_EQ(soft::MisuseCount(), misuse + 3);
}

}  // namespace
