// The handle table and the life of GDI objects: stale and foreign handles,
// live counts, stock objects, refused deletions, and what objects describe.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "platform/soft/graphics/objects.h"
#include "platform/soft/soft.h"
#include "platform/win32.h"

namespace {

HPEN MakePen(COLORREF color, int width = 1) {
  const LOGPEN pen{PS_SOLID, {width, 0}, color};
  return CreatePenIndirect(&pen);
}

TEST(HandleTable, KnowsStaleForeignAndWrongKindHandlesForWhatTheyAre) {
  HPEN first = MakePen(1);
  ASSERT_TRUE(DeleteObject(first));
  // While the freed slot holds other objects, the old handle reaches none of them.
  for (int i = 0; i < 200; ++i) {
    HPEN next = MakePen(static_cast<COLORREF>(i));
    EXPECT_NE(next, first);
    EXPECT_EQ(soft::Find(first), nullptr);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_FALSE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(next));
  }

  int local = 0;
  EXPECT_EQ(soft::Find(reinterpret_cast<HANDLE>(5)), nullptr);
  EXPECT_EQ(soft::Find(&local), nullptr);
  EXPECT_EQ(GetObjectA(&local, 0, nullptr), 0);
  HPEN pen = MakePen(0);
  EXPECT_EQ(soft::FindAs<soft::BrushObject>(pen, soft::Kind::Brush), nullptr);
  DeleteObject(pen);
}

TEST(HandleTable, CountsLiveObjectsByKindAcrossThreadsWithoutStockObjects) {
  GetStockObject(BLACK_PEN);
  const soft::LiveCounts before = soft::CountLive();
  const LOGBRUSH solid{BS_SOLID, 0, 0};
  LOGFONTA arial{};
  std::strcpy(arial.lfFaceName, "Arial");
  HGDIOBJ made[] = {MakePen(0), CreateBrushIndirect(&solid), CreateFontIndirectA(&arial)};
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(soft::CountLive(), (soft::LiveCounts{before.pens + 1, before.brushes + 1, before.fonts + 1,
                                                 before.bitmaps, before.dcs + 1, before.windows}));
  DeleteDC(dc);
  for (HGDIOBJ object : made) DeleteObject(object);
  EXPECT_EQ(soft::CountLive(), before);

  auto churn = [] {
    for (int i = 0; i < 5000; ++i) {
      HPEN pen = MakePen(static_cast<COLORREF>(i));
      if (GetObjectType(pen) != OBJ_PEN || !DeleteObject(pen)) ADD_FAILURE();
    }
  };
  std::thread other(churn);
  churn();
  other.join();
  EXPECT_EQ(soft::CountLive(), before);
}

TEST(StockObjects, AreSharedAndNeverDeleted) {
  HGDIOBJ pen = GetStockObject(BLACK_PEN);
  EXPECT_EQ(GetStockObject(BLACK_PEN), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
}

TEST(Deletion, OfASelectedObjectIsRefusedAndCountedUntilTheLastContextLetsGo) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  HPEN pen = MakePen(0x123456);
  SelectObject(first, pen);
  SelectObject(second, pen);
  SelectObject(first, pen);  // selecting it again changes nothing
  const long misuse = soft::MisuseCount();
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(soft::MisuseCount(), misuse + 1);
  EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
  EXPECT_EQ(SelectObject(first, GetStockObject(BLACK_PEN)), pen);
  EXPECT_FALSE(DeleteObject(pen));
  DeleteDC(second);  // deleting a context deselects what it held
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(soft::MisuseCount(), misuse + 2);

  EXPECT_FALSE(DeleteObject(first));  // contexts go with DeleteDC only
  EXPECT_TRUE(DeleteDC(first));
}

TEST(Description, IsCopiedOnlyWhereItFitsAndMadeOnlyFromKnownStyles) {
  HPEN pen = MakePen(0xABCDEF, 7);
  LOGPEN described{};
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(GetObjectA(pen, 100, &described), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(described.lopnWidth.x, 7);
  EXPECT_EQ(described.lopnColor, 0xABCDEFu);
  DeleteObject(pen);

  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfQuality = 200;
  std::memset(font.lfFaceName, 'A', sizeof(font.lfFaceName));  // no terminating zero
  HFONT handle = CreateFontIndirectA(&font);
  LOGFONTA back{};
  EXPECT_EQ(GetObjectA(handle, 60, &back), 60);
  EXPECT_EQ(back.lfHeight, -29);
  EXPECT_EQ(back.lfQuality, 200);
  EXPECT_EQ(std::strlen(back.lfFaceName), 31u);
  DeleteObject(handle);

  const LOGPEN bad_pen{99, {1, 0}, 0};
  const LOGBRUSH bad_brush{99, 0, 0};
  EXPECT_EQ(CreatePenIndirect(&bad_pen), nullptr);
  EXPECT_EQ(CreateBrushIndirect(&bad_brush), nullptr);
  EXPECT_EQ(CreatePenIndirect(nullptr), nullptr);
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
}

}  // namespace
