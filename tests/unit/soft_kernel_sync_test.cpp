// Critical sections and MulDiv.
#include <gtest/gtest.h>

#include <limits>
#include <thread>

#include "platform/soft/soft.h"
#include "platform/win32.h"

namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroInA64BitProductAndReportsWhatDoesNotFit) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  const struct {
    int number, numerator, denominator, expected;
  } cases[] = {
      {22, 96, 72, 29},   {-29, 72, 96, -22},  // points to pixels and back
      {3, 1, 2, 2},       {-3, 1, 2, -2},      {3, 1, -2, -2},           {-3, -1, -2, -2},
      {5, 1, 4, 1},       {-1, 1, 3, 0},       {kMax, kMax, kMax, kMax}, {1 << 20, 1 << 20, 1 << 30, 1024},
      {kMin, 2, 2, kMin}, {kMax, 2, 1, -1},    {kMin, -1, 1, -1},        {7, 3, 0, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}

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
