// System colours and the locale the platform reports.
#include <gtest/gtest.h>

#include "platform/soft/soft.h"
#include "platform/soft/system_info.h"
#include "platform/win32.h"

namespace {

TEST(SystemColors, AreTheDesktopDefaults) {
  EXPECT_EQ(GetSysColor(COLOR_MENU), 0xF0F0F0u);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0xFFFFFFu);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0x000000u);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0xF0F0F0u);
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(255), 0u);
}

TEST(Locale, DoubleByteSettingIsReportedWithItsSystemCharset) {
  EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 0);
  EXPECT_EQ(soft::SystemFontCharset(), RUSSIAN_CHARSET);
  soft::SetDoubleByteLocale(true, SHIFTJIS_CHARSET);
  EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 1);
  EXPECT_TRUE(soft::DoubleByteLocale());
  EXPECT_EQ(soft::SystemFontCharset(), SHIFTJIS_CHARSET);
  soft::SetDoubleByteLocale(false, RUSSIAN_CHARSET);
  EXPECT_EQ(GetSystemMetrics(SM_DBCSENABLED), 0);
}

TEST(ScreenDpi, IgnoresNonsense) {
  EXPECT_EQ(soft::ScreenDpi(), 96);
  soft::SetScreenDpi(0);
  soft::SetScreenDpi(-5);
  EXPECT_EQ(soft::ScreenDpi(), 96);
  soft::SetScreenDpi(144);
  EXPECT_EQ(soft::ScreenDpi(), 144);
  soft::SetScreenDpi(96);
}

}  // namespace
