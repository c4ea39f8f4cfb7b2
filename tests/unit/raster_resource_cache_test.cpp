#include <vector>

#include "raster/pen.h"
#include "raster/resource_manager.h"
#include "raster_fixture.h"

namespace {

using CacheTest = RasterTest;

HGDIOBJ MakeBlackPen() {
  const LOGPEN pen{PS_SOLID, {1, 0}, 0};
  return CreatePenIndirect(&pen);
}

TEST(CacheHash, RotatesFiveBitsWithinSixteenThenXorsEachByte) {
  const std::vector<std::uint8_t> small{0x01, 0x02};
  const std::vector<std::uint8_t> wrapping{0xFF, 0x00, 0x00, 0x00};
  EXPECT_EQ(TResourceManager::Hash(small), 0x0022);
  EXPECT_EQ(TResourceManager::Hash(wrapping), 0x807F);
  EXPECT_EQ(TResourceManager::Hash({}), 0);
}

TEST_F(CacheTest, EqualDescriptionsShareOneCountedEntry) {
  TResourceManager cache(kPenKeySize);
  TResourceEntry* first = cache.Acquire(DescriptionBytes(DefaultPenKey));
  TResourceEntry* second = cache.Acquire(DescriptionBytes(DefaultPenKey));
  PenKey other = DefaultPenKey;
  other.Width = 0;
  TResourceEntry* third = cache.Acquire(DescriptionBytes(other));
  EXPECT_EQ(first, second);
  EXPECT_NE(first, third);
  EXPECT_EQ(first->count, 2);
  EXPECT_EQ(cache.EntryCount(), 2u);
  cache.Release(first);
  cache.Release(second);
  cache.Release(third);
  EXPECT_EQ(cache.EntryCount(), 0u);
}

TEST_F(CacheTest, PlatformObjectIsMadeOnceAndDeletedWithTheLastUser) {
  TResourceManager cache(kPenKeySize);
  TResourceEntry* first = cache.Acquire(DescriptionBytes(DefaultPenKey));
  TResourceEntry* second = cache.Acquire(DescriptionBytes(DefaultPenKey));
  int made = 0;
  auto make = [&made] {
    ++made;
    return MakeBlackPen();
  };
  HGDIOBJ handle = cache.Realise(*first, make);
  EXPECT_EQ(cache.Realise(*second, make), handle);
  EXPECT_EQ(made, 1);
  EXPECT_TRUE(cache.MadeHandle(handle));

  cache.Release(first);
  EXPECT_EQ(GetObjectType(handle), OBJ_PEN);
  cache.Release(second);
  EXPECT_EQ(GetObjectType(handle), 0u);
  EXPECT_TRUE(NothingLeft());
}

TEST_F(CacheTest, DescribedHandleIsTheEntryHandleAndIsDeletedWithIt) {
  TResourceManager cache(kPenKeySize);
  HGDIOBJ adopted = MakeBlackPen();
  PenKey key = DefaultPenKey;
  key.Handle = adopted;
  TResourceEntry* entry = cache.Acquire(DescriptionBytes(key));
  EXPECT_EQ(entry->handle.load(), adopted);
  EXPECT_EQ(cache.Realise(*entry, [] { return HGDIOBJ{}; }), adopted);
  EXPECT_FALSE(cache.MadeHandle(adopted));
  cache.Release(entry);
  EXPECT_EQ(GetObjectType(adopted), 0u);
}

TEST_F(CacheTest, ObjectHearsOfAChangeWhileItsOldPlatformObjectStillExists) {
  TPen pen;
  HPEN old_handle = pen.Handle();
  int notified = 0;
  pen.SetOnChange([&] {
    ++notified;
    EXPECT_EQ(GetObjectType(old_handle), OBJ_PEN) << "released before the notification";
  });
  pen.SetColor(0x123456);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(GetObjectType(old_handle), 0u);
  EXPECT_EQ(PenCache->EntryCount(), 1u);
}

TEST_F(CacheTest, SettingTheCurrentValueChangesNothing) {
  TPen pen;
  HPEN handle = pen.Handle();
  int notified = 0;
  pen.SetOnChange([&] { ++notified; });
  pen.SetColor(clBlack);
  pen.SetWidth(1);
  EXPECT_EQ(notified, 0);
  EXPECT_EQ(pen.Handle(), handle);
}

}  // namespace
