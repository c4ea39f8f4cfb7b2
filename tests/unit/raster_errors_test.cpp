#include <gtest/gtest.h>

#include "raster/colors.h"
#include "raster/exceptions.h"

namespace {

TEST(OutOfResources, CarriesTheSystemTextWithoutItsLineBreak) {
  EXPECT_EQ(EOutOfResources::FromErrorCode(ERROR_NOT_ENOUGH_MEMORY).Message(),
            "Not enough memory resources are available to process this command.");
}

TEST(OutOfResources, FallsBackWhenThereIsNoCodeOrNoText) {
  EXPECT_EQ(EOutOfResources::FromErrorCode(0).Message(), "Out of system resources");
  EXPECT_EQ(EOutOfResources::FromErrorCode(0xDEAD).Message(), "Out of system resources");
  SetLastError(0);
  EXPECT_EQ(EOutOfResources::FromLastError().Message(), "Out of system resources");
}

TEST(OutOfResources, IsCaughtAsOutOfMemory) {
  try {
    throw EOutOfResources::FromErrorCode(0);
  } catch (const EOutOfMemory& caught) {
    EXPECT_STREQ(caught.what(), "Out of system resources");
  }
}

TEST(Colors, NegativeColoursNameSystemColours) {
  EXPECT_EQ(clWindowText, static_cast<TColor>(0x80000008));
  EXPECT_EQ(ToRgb(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(ToRgb(static_cast<TColor>(0xFF000005)), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(ToRgb(clSilver), 0xC0C0C0u);
  EXPECT_EQ(ToRgb(clDefault), 0x20000000u);
}

}  // namespace
