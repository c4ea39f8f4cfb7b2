// The handle table and the life of GDI objects: stale and foreign handles,
// live counts, stock objects, refused deletions, and what objects describe.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "platform/soft/objects.h"
#include "platform/soft/soft.h"
#include "platform/win32.h"

namespace {

HPEN MakePen(COLORREF color, int width = 1) {
  const LOGPEN pen{PS_SOLID, {width, 0}, color};
  return CreatePenIndirect(&pen);
}

HBRUSH MakeBrush(COLORREF color) {
  const LOGBRUSH brush{BS_SOLID, color, 0};
  return CreateBrushIndirect(&brush);
}

TEST(HandleTable, DeletedHandleStaysStaleWhenItsSlotIsReused) {
  HPEN first = MakePen(1);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(DeleteObject(first));
  EXPECT_EQ(soft::Find(first), nullptr);
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_FALSE(DeleteObject(first));
  for (int i = 0; i < 200; ++i) {
    HPEN next = MakePen(static_cast<COLORREF>(i));
    EXPECT_NE(next, first);
    DeleteObject(next);
  }
  EXPECT_EQ(soft::Find(first), nullptr);
}

TEST(HandleTable, ForeignValuesAndWrongKindsAreNotFound) {
  int local = 0;
  EXPECT_EQ(soft::Find(nullptr), nullptr);
  EXPECT_EQ(soft::Find(reinterpret_cast<HANDLE>(5)), nullptr);
  EXPECT_EQ(soft::Find(&local), nullptr);
  EXPECT_EQ(GetObjectA(&local, 0, nullptr), 0);
  HBRUSH brush = MakeBrush(0);
  EXPECT_EQ(soft::FindAs<soft::PenObject>(brush, soft::Kind::Pen), nullptr);
  EXPECT_NE(soft::FindAs<soft::BrushObject>(brush, soft::Kind::Brush), nullptr);
  DeleteObject(brush);
}

TEST(HandleTable, CountsLiveObjectsByKindWithoutStockObjects) {
  GetStockObject(BLACK_PEN);
  const soft::LiveCounts before = soft::CountLive();
  HPEN pen = MakePen(0);
  HBRUSH brush = MakeBrush(0);
  LOGFONTA description{};
  std::strcpy(description.lfFaceName, "Arial");
  HFONT font = CreateFontIndirectA(&description);
  HDC dc = CreateCompatibleDC(nullptr);
  soft::LiveCounts expected = before;
  ++expected.pens;
  ++expected.brushes;
  ++expected.fonts;
  ++expected.dcs;
  EXPECT_EQ(soft::CountLive(), expected);
  DeleteDC(dc);
  DeleteObject(font);
  DeleteObject(brush);
  DeleteObject(pen);
  EXPECT_EQ(soft::CountLive(), before);
}

TEST(HandleTable, IsSafeFromSeveralThreads) {
  const soft::LiveCounts before = soft::CountLive();
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
  const soft::LiveCounts before = soft::CountLive();
  HGDIOBJ pen = GetStockObject(BLACK_PEN);
  EXPECT_EQ(GetStockObject(BLACK_PEN), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
  for (int stock : {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, WHITE_PEN, NULL_PEN, SYSTEM_FONT, DEFAULT_GUI_FONT})
    EXPECT_NE(GetStockObject(stock), nullptr) << stock;
  EXPECT_EQ(GetStockObject(3), nullptr);
  EXPECT_EQ(soft::CountLive(), before);

  LOGBRUSH hollow{};
  GetObjectA(GetStockObject(NULL_BRUSH), sizeof(hollow), &hollow);
  EXPECT_EQ(hollow.lbStyle, BS_NULL);
  LOGFONTA system{};
  EXPECT_EQ(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof(system), &system), 60);
  EXPECT_STREQ(system.lfFaceName, "System");
  EXPECT_EQ(system.lfWeight, FW_BOLD);
  EXPECT_EQ(system.lfHeight, 16);
}

TEST(Deletion, OfASelectedObjectIsRefusedAndCounted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = MakePen(0x123456);
  SelectObject(dc, pen);
  const long misuse = soft::MisuseCount();
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(soft::MisuseCount(), misuse + 1);
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(soft::MisuseCount(), misuse + 1);
  DeleteDC(dc);
}

TEST(Deletion, WaitsUntilTheLastContextLetsGo) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  HBRUSH brush = MakeBrush(0);
  SelectObject(first, brush);
  SelectObject(second, brush);
  SelectObject(first, brush);  // selecting it again changes nothing
  SelectObject(first, GetStockObject(WHITE_BRUSH));
  const long misuse = soft::MisuseCount();
  EXPECT_FALSE(DeleteObject(brush));
  DeleteDC(second);  // deleting a context deselects what it held
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_EQ(soft::MisuseCount(), misuse + 1);
  DeleteDC(first);
}

TEST(Deletion, RefusesContextsAndStaleHandles) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(DeleteObject(dc));
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_FALSE(DeleteObject(nullptr));
}

TEST(Description, GetObjectCopiesWhatFitsAndReportsSizes) {
  HPEN pen = MakePen(0xABCDEF, 7);
  LOGPEN described{};
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(GetObjectA(pen, sizeof(LOGPEN) - 1, &described), 0);
  EXPECT_EQ(GetObjectA(pen, 100, &described), static_cast<int>(sizeof(LOGPEN)));
  EXPECT_EQ(described.lopnWidth.x, 7);
  EXPECT_EQ(described.lopnColor, 0xABCDEFu);
  DeleteObject(pen);

  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfWeight = FW_BOLD;
  font.lfQuality = 200;
  std::memset(font.lfFaceName, 'A', sizeof(font.lfFaceName));  // no terminating zero
  HFONT handle = CreateFontIndirectA(&font);
  LOGFONTA back{};
  EXPECT_EQ(GetObjectA(handle, 60, &back), 60);
  EXPECT_EQ(back.lfHeight, -29);
  EXPECT_EQ(back.lfQuality, 200);
  EXPECT_EQ(std::strlen(back.lfFaceName), 31u);
  DeleteObject(handle);
}

TEST(Description, KindsAndCreationFailures) {
  HBRUSH brush = MakeBrush(0);
  EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_TRUE(UnrealizeObject(brush));
  EXPECT_FALSE(UnrealizeObject(GetStockObject(BLACK_PEN)));
  DeleteObject(brush);
  const LOGPEN bad_pen{99, {1, 0}, 0};
  EXPECT_EQ(CreatePenIndirect(&bad_pen), nullptr);
  EXPECT_EQ(CreatePenIndirect(nullptr), nullptr);
  const LOGBRUSH bad_brush{99, 0, 0};
  EXPECT_EQ(CreateBrushIndirect(&bad_brush), nullptr);
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
}

}  // namespace
