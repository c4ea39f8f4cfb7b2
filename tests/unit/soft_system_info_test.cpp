// System colours and the screen's pixels per inch.
#include <gtest/gtest.h>

#include "platform/soft/soft.h"
#include "platform/soft/system_info.h"
#include "platform/win32.h"

namespace {

TEST(SystemInfo, ReportsDesktopDefaultsAndIgnoresNonsense) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0x000000u);
  EXPECT_EQ(GetSysColor(COLOR_MENU), 0xF0F0F0u);
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(255), 0u);
  soft::SetScreenDpi(0);
  soft::SetScreenDpi(-5);
  EXPECT_EQ(soft::ScreenDpi(), 96);
}

}  // namespace
