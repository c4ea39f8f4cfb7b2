#include <gtest/gtest.h>

#include "raster/exceptions.h"

namespace {

// The system's own texts are checked where storage fails (raster_bitmap_test).
TEST(OutOfResources, FallsBackWhenThereIsNoCodeOrNoText) {
  EXPECT_EQ(EOutOfResources::FromErrorCode(0).Message(), "Out of system resources");
  EXPECT_EQ(EOutOfResources::FromErrorCode(0xDEAD).Message(), "Out of system resources");
}

}  // namespace
