// Device-independent sections: memory layout, description, and refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "platform/soft/soft.h"
#include "platform/win32.h"

namespace {

BITMAPINFO Header(LONG width, LONG height, WORD bits = 24, DWORD compression = BI_RGB) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, bits, compression, 0, 0, 0, 0, 0};
  return info;
}

HBITMAP Make(const BITMAPINFO& info, std::uint8_t** bits) {
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

TEST(DibSection, PaddedRowsAndTheTopRowWhereTheHeaderSays) {
  for (LONG height : {4, -4}) {
    std::uint8_t* bits = nullptr;
    HBITMAP bitmap = Make(Header(5, height), &bits);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(section), &section), static_cast<int>(sizeof(DIBSECTION)));
    EXPECT_EQ(section.dsBm.bmWidthBytes, 16);
    EXPECT_EQ(section.dsBm.bmHeight, 4);
    EXPECT_EQ(section.dsBmih.biHeight, height);
    EXPECT_EQ(section.dsBm.bmBits, bits);
    EXPECT_EQ(GetObjectA(bitmap, 4, &section), 0);  // too small for any description
    // New pixels are unspecified, as on Windows: whoever makes a section fills it.
    std::memset(bits, 0, 16 * 4);

    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    const RECT top_row{0, 0, 5, 1};
    const LOGBRUSH red{BS_SOLID, RGB(255, 0, 0), 0};
    HBRUSH brush = CreateBrushIndirect(&red);
    FillRect(dc, &top_row, brush);
    // Bottom-up: the top row is the last row in memory. Bytes are blue, green, red.
    const std::uint8_t* row = height > 0 ? bits + 3 * 16 : bits;
    EXPECT_EQ(row[0] + row[1], 0);
    EXPECT_EQ(row[2], 0xFF);
    EXPECT_EQ(row[14], 0xFF);
    EXPECT_EQ(row[15], 0x00);  // padding is not a pixel
    DeleteDC(dc);
    DeleteObject(brush);
    DeleteObject(bitmap);
  }
}

constexpr LONG kMax = std::numeric_limits<LONG>::max();
constexpr LONG kMin = std::numeric_limits<LONG>::min();

struct Refused {
  const char* name;
  BITMAPINFO info;
  DWORD error;
};

void PrintTo(const Refused& refused, std::ostream* out) { *out << refused.name; }

class RefusedSectionTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedSectionTest, LeavesNothingAndSaysWhy) {
  const soft::LiveCounts before = soft::CountLive();
  std::uint8_t dummy = 0;
  std::uint8_t* bits = &dummy;
  SetLastError(0);
  EXPECT_EQ(Make(GetParam().info, &bits), nullptr);
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(GetLastError(), GetParam().error);
  EXPECT_EQ(soft::CountLive(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, RefusedSectionTest,
    ::testing::Values(Refused{"JustOver2GiB", Header(32768, 21846), ERROR_NOT_ENOUGH_MEMORY},
                      Refused{"WidestAndTallest", Header(kMax, kMin), ERROR_NOT_ENOUGH_MEMORY},
                      Refused{"Widest", Header(kMax, 1), ERROR_NOT_ENOUGH_MEMORY},
                      Refused{"NoWidth", Header(0, 10), ERROR_INVALID_PARAMETER},
                      Refused{"NoHeight", Header(10, 0), ERROR_INVALID_PARAMETER},
                      Refused{"NegativeWidth", Header(-10, 10), ERROR_INVALID_PARAMETER},
                      Refused{"ThirtyTwoBits", Header(10, 10, 32), ERROR_INVALID_PARAMETER},
                      Refused{"EightBits", Header(10, 10, 8), ERROR_INVALID_PARAMETER},
                      Refused{"BitFields", Header(10, 10, 24, 3), ERROR_INVALID_PARAMETER},
                      Refused{"NoHeader", {}, ERROR_INVALID_PARAMETER}),
    [](const ::testing::TestParamInfo<Refused>& tested) { return std::string(tested.param.name); });

TEST(DibSection, IsSelectedIntoOneContextAtATime) {
  std::uint8_t* bits = nullptr;
  HBITMAP bitmap = Make(Header(8, 8), &bits);
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(first, bitmap), nullptr);  // a new context holds no bitmap
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), nullptr);
  DeleteDC(first);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(second);
}

}  // namespace
