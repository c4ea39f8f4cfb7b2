// Critical sections and MulDiv.
#include <gtest/gtest.h>

#include <limits>
#include <thread>

#include "platform/soft/soft.h"
#include "platform/win32.h"

namespace {

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(22, 96, 72), 29);
  EXPECT_EQ(MulDiv(22, 120, 72), 37);
  EXPECT_EQ(MulDiv(8, 96, 72), 11);
  EXPECT_EQ(MulDiv(-29, 72, 96), -22);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(3, 1, -2), -2);
  EXPECT_EQ(MulDiv(-3, -1, -2), -2);
  EXPECT_EQ(MulDiv(5, 1, 4), 1);
  EXPECT_EQ(MulDiv(-5, 1, 4), -1);
  EXPECT_EQ(MulDiv(-1, 1, 3), 0);
}

TEST(MulDiv, UsesA64BitProductAndReportsWhatDoesNotFit) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  EXPECT_EQ(MulDiv(kMax, kMax, kMax), kMax);
  EXPECT_EQ(MulDiv(kMin, 2, 2), kMin);
  EXPECT_EQ(MulDiv(1 << 20, 1 << 20, 1 << 30), 1024);
  EXPECT_EQ(MulDiv(kMax, 2, 1), -1);
  EXPECT_EQ(MulDiv(kMin, -1, 1), -1);
  EXPECT_EQ(MulDiv(7, 3, 0), -1);
}

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  EnterCriticalSection(&section);
  EXPECT_TRUE(TryEnterCriticalSection(&section));  // the owner may enter again
  BOOL entered_elsewhere = TRUE;
  std::thread([&] { entered_elsewhere = TryEnterCriticalSection(&section); }).join();
  EXPECT_FALSE(entered_elsewhere);
  LeaveCriticalSection(&section);
  LeaveCriticalSection(&section);
  std::thread([&] {
    entered_elsewhere = TryEnterCriticalSection(&section);
    if (entered_elsewhere) LeaveCriticalSection(&section);
  }).join();
  EXPECT_TRUE(entered_elsewhere);
  DeleteCriticalSection(&section);
  EXPECT_EQ(section.impl, nullptr);
}

TEST(CriticalSection, UseAfterDeleteIsCountedNotFatal) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  DeleteCriticalSection(&section);
  const long misuse = soft::MisuseCount();
  EnterCriticalSection(&section);
  EXPECT_FALSE(TryEnterCriticalSection(&section));
  LeaveCriticalSection(&section);
  EXPECT_EQ(soft::MisuseCount(), misuse + 3);
}

}  // namespace
