#include <memory>
#include <vector>

#include "raster/pen.h"
#include "raster/resource_manager.h"
#include "raster_fixture.h"

namespace {

using CacheTest = RasterTest;

TEST(CacheHash, RotatesFiveBitsWithinSixteenThenXorsEachByte) {
  EXPECT_EQ(TResourceManager::Hash(std::vector<std::uint8_t>{0x01, 0x02}), 0x0022);
  EXPECT_EQ(TResourceManager::Hash(std::vector<std::uint8_t>{0xFF, 0x00, 0x00, 0x00}), 0x807F);
  EXPECT_EQ(TResourceManager::Hash({}), 0);
}

TEST_F(CacheTest, EqualDescriptionsShareOnePlatformObjectUntilTheLastUserGoes) {
  auto first = std::make_unique<TPen>();
  auto second = std::make_unique<TPen>();
  HPEN shared = first->Handle();
  EXPECT_EQ(second->Handle(), shared);
  EXPECT_EQ(Made().pens, 1);
  first.reset();
  EXPECT_EQ(GetObjectType(shared), OBJ_PEN);
  second.reset();
  EXPECT_EQ(GetObjectType(shared), 0u);
  EXPECT_EQ(RasterModule()->PenCache.EntryCount(), 0u);
}

TEST_F(CacheTest, ObjectHearsOfAChangeWhileItsOldPlatformObjectStillExists) {
  TPen pen;
  HPEN old_handle = pen.Handle();
  int notified = 0;
  pen.SetOnChange([&] {
    ++notified;
    EXPECT_EQ(GetObjectType(old_handle), OBJ_PEN) << "released before the notification";
  });
  pen.SetColor(clBlack);
  pen.SetWidth(1);
  EXPECT_EQ(notified, 0) << "the current values change nothing";
  pen.SetColor(0x123456);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(GetObjectType(old_handle), 0u);
  EXPECT_EQ(RasterModule()->PenCache.EntryCount(), 1u);
}

}  // namespace
