// The kernel calls: the last error of each thread, what the failing calls
// leave in it, the system's texts for error codes, critical sections and
// MulDiv.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "platform/soft/soft.h"
#include "platform/win32.h"
#include "soft_section.h"
#include "support/fake_window.h"

namespace {

// The buffer is exactly `size` bytes, so that a write past it is caught.
std::string Text(DWORD code, DWORD size = 256) {
  std::vector<char> buffer(size);
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                      LANG_USER_DEFAULT, buffer.data(), size, nullptr);
  return std::string(buffer.data(), length);
}

TEST(LastError, BelongsToEachThread) {
  SetLastError(ERROR_OUTOFMEMORY);
  DWORD seen_elsewhere = 1;
  std::thread([&] {
    seen_elsewhere = GetLastError();
    SetLastError(ERROR_INVALID_HANDLE);
  }).join();
  EXPECT_EQ(seen_elsewhere, ERROR_SUCCESS);
  EXPECT_EQ(GetLastError(), ERROR_OUTOFMEMORY);
}

// Objects to misuse: a memory context holding a section, the screen's
// context, a window, and a stale context, pen and window.
struct Objects {
  Objects() {
    DeleteDC(stale_dc);
    DeleteObject(stale_pen);
    gone.Destroy();
  }
  ~Objects() { ReleaseDC(nullptr, screen); }
  // Selects the section into other, then gives other back.
  bool SelectsInto(HDC other) {
    const bool selected = SelectObject(other, section.bitmap()) != nullptr;
    GetObjectType(other) == OBJ_MEMDC ? DeleteDC(other) : ReleaseDC(nullptr, other);
    return selected;
  }
  Section section{4, 4};
  HDC dc = section.dc();
  HDC screen = GetDC(nullptr);
  HDC stale_dc = CreateCompatibleDC(nullptr);
  LOGPEN bad_pen{99, {1, 0}, 0};
  LOGBRUSH bad_brush{99, 0, 0};
  HGDIOBJ stale_pen = MakePen(0);
  FakeWindow window{4, 4}, gone{4, 4};
  HWND gone_window = gone.handle();
  RECT box{0, 0, 1, 1};
  BITMAP record{};
  SIZE size{};
};

struct FailingCall {
  const char* name;
  DWORD error;
  bool (*fails)(Objects&);  // makes the call; true when it reports failure
};

void PrintTo(const FailingCall& call, std::ostream* out) { *out << call.name; }

class FailingCallTest : public ::testing::TestWithParam<FailingCall> {};

// A failure leaves its own code, never one an earlier call left behind.
TEST_P(FailingCallTest, SetsTheLastError) {
  Objects objects;
  SetLastError(ERROR_CLASS_ALREADY_EXISTS);
  EXPECT_TRUE(GetParam().fails(objects));
  EXPECT_EQ(GetLastError(), GetParam().error);
}

std::string CallName(const ::testing::TestParamInfo<FailingCall>& call) { return call.param.name; }

#define FAILS(name, error, failed) FailingCall{#name, error, []([[maybe_unused]] Objects& o) { return failed; }}

INSTANTIATE_TEST_SUITE_P(
    Calls, FailingCallTest,
    ::testing::Values(
        FAILS(SelectObjectIntoAStaleContext, ERROR_INVALID_HANDLE, !SelectObject(o.stale_dc, GetStockObject(BLACK_PEN))),
        FAILS(SelectObjectOfAStaleObject, ERROR_INVALID_HANDLE, !SelectObject(o.dc, o.stale_pen)),
        FAILS(SelectObjectOfABitmapHeldElsewhere, ERROR_INVALID_HANDLE, !o.SelectsInto(CreateCompatibleDC(nullptr))),
        FAILS(SelectObjectOfABitmapIntoTheScreen, ERROR_INVALID_PARAMETER, !o.SelectsInto(GetDC(nullptr))),
        FAILS(DeleteObjectOfAStaleObject, ERROR_INVALID_HANDLE, !DeleteObject(o.stale_pen)),
        FAILS(DeleteObjectOfASelectedObject, ERROR_BUSY, !DeleteObject(o.section.bitmap())),
        FAILS(DeleteObjectOfAContext, ERROR_INVALID_HANDLE, !DeleteObject(o.dc)),
        FAILS(CreatePenIndirectOfNothingOrNoStyle, ERROR_INVALID_PARAMETER,
              !CreatePenIndirect(nullptr) && !CreatePenIndirect(&o.bad_pen)),
        FAILS(CreateBrushIndirectOfNoStyle, ERROR_INVALID_PARAMETER, !CreateBrushIndirect(&o.bad_brush)),
        FAILS(CreateFontIndirectOfNothing, ERROR_INVALID_PARAMETER, !CreateFontIndirectA(nullptr)),
        FAILS(GetObjectOfAStaleObject, ERROR_INVALID_HANDLE, !GetObjectA(o.stale_pen, sizeof o.record, &o.record)),
        FAILS(GetObjectIntoASmallBuffer, ERROR_INSUFFICIENT_BUFFER, !GetObjectA(o.section.bitmap(), 4, &o.record)),
        FAILS(GetObjectTypeOfAStaleObject, ERROR_INVALID_HANDLE, !GetObjectType(o.stale_pen)),
        FAILS(GetStockObjectOfNoStockObject, ERROR_INVALID_PARAMETER, !GetStockObject(3)),
        FAILS(UnrealizeObjectOfAPen, ERROR_INVALID_HANDLE, !UnrealizeObject(GetStockObject(BLACK_PEN))),
        FAILS(CreateCompatibleDCFromAStaleContext, ERROR_INVALID_HANDLE, !CreateCompatibleDC(o.stale_dc)),
        FAILS(DeleteDCOfAStaleContext, ERROR_INVALID_HANDLE, !DeleteDC(o.stale_dc)),
        FAILS(GetDCOfAGoneWindow, ERROR_INVALID_WINDOW_HANDLE, !GetDC(o.gone_window)),
        FAILS(GetDCOfAPen, ERROR_INVALID_WINDOW_HANDLE, !GetDC(reinterpret_cast<HWND>(GetStockObject(BLACK_PEN)))),
        FAILS(ReleaseDCOfAMemoryContext, ERROR_INVALID_HANDLE, !ReleaseDC(nullptr, o.dc)),
        FAILS(SetBkModeToNoMode, ERROR_INVALID_PARAMETER, !SetBkMode(o.dc, 7)),
        FAILS(SetROP2ToNoOperation, ERROR_INVALID_PARAMETER, !SetROP2(o.dc, 99)),
        FAILS(SetStretchBltModeToNoMode, ERROR_INVALID_PARAMETER, !SetStretchBltMode(o.dc, 99)),
        FAILS(SetTextColorOfAStaleContext, ERROR_INVALID_HANDLE, SetTextColor(o.stale_dc, 0) == CLR_INVALID),
        FAILS(LineToOnAStaleContext, ERROR_INVALID_HANDLE, !LineTo(o.stale_dc, 1, 1)),
        FAILS(GetClipBoxOfAStaleContext, ERROR_INVALID_HANDLE, GetClipBox(o.stale_dc, &o.box) == ERROR_REGION),
        FAILS(PatBltWithAnUnknownOperation, ERROR_INVALID_PARAMETER, !PatBlt(o.dc, 0, 0, 1, 1, SRCCOPY)),
        FAILS(BitBltFromAStaleContext, ERROR_INVALID_HANDLE, !BitBlt(o.dc, 0, 0, 1, 1, o.stale_dc, 0, 0, SRCCOPY)),
        FAILS(BitBltAndStretchBltFromTheScreen, ERROR_INVALID_PARAMETER,
              !BitBlt(o.dc, 0, 0, 1, 1, o.screen, 0, 0, SRCCOPY) &&
                  !StretchBlt(o.dc, 0, 0, 1, 1, o.screen, 0, 0, 1, 1, SRCCOPY)),
        FAILS(DrawFocusRectOnAWindow, ERROR_INVALID_HANDLE,
              !DrawFocusRect(reinterpret_cast<HDC>(o.window.handle()), &o.box)),
        FAILS(GetTextExtentOfAStaleContext, ERROR_INVALID_HANDLE, !GetTextExtentPoint32A(o.stale_dc, "x", 1, &o.size)),
        FAILS(GetTextExtentIntoNothingOfNoTextOrANegativeCount, ERROR_INVALID_PARAMETER,
              !GetTextExtentPoint32A(o.dc, "x", 1, nullptr) && !GetTextExtentPoint32A(o.dc, nullptr, 1, &o.size) &&
                  !GetTextExtentPoint32A(o.dc, "x", -1, &o.size)),
        FAILS(GetTextMetricsIntoNothing, ERROR_INVALID_PARAMETER, !GetTextMetricsA(o.dc, nullptr)),
        FAILS(ExtTextOutOnAStaleContext, ERROR_INVALID_HANDLE, !ExtTextOutA(o.stale_dc, 0, 0, 0, nullptr, "x", 1, nullptr)),
        FAILS(FillRectWithAStaleBrush, ERROR_INVALID_PARAMETER, !FillRect(o.dc, &o.box, static_cast<HBRUSH>(o.stale_pen))),
        FAILS(GetModuleHandleOfNoModule, ERROR_MOD_NOT_FOUND, !GetModuleHandleA("no-such-module.dll")),
        FAILS(CloseHandleOfNoHandle, ERROR_INVALID_HANDLE, !CloseHandle(o.stale_pen)),
        FAILS(FormatMessageOfAnUnknownCode, ERROR_MR_MID_NOT_FOUND, Text(123456).empty()),
        FAILS(FormatMessageIntoASmallBuffer, ERROR_INSUFFICIENT_BUFFER, Text(ERROR_NOT_ENOUGH_MEMORY, 10).empty())),
    CallName);

class ErrorTextTest : public ::testing::TestWithParam<DWORD> {};

TEST_P(ErrorTextTest, IsALineOfTheSystemsWording) {
  const std::string text = Text(GetParam());
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Codes, ErrorTextTest,
                         ::testing::Values(ERROR_SUCCESS, ERROR_INVALID_HANDLE, ERROR_NOT_ENOUGH_MEMORY,
                                           ERROR_OUTOFMEMORY, ERROR_BUSY, ERROR_INVALID_WINDOW_HANDLE,
                                           ERROR_CANNOT_FIND_WND_CLASS, ERROR_CLASS_ALREADY_EXISTS,
                                           ERROR_NO_SYSTEM_RESOURCES),
                         ::testing::PrintToStringParamName());

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

struct MulDivCase {
  const char* name;
  int number, numerator, denominator, expected;
};

void PrintTo(const MulDivCase& tested, std::ostream* out) { *out << tested.name; }

class MulDivTest : public ::testing::TestWithParam<MulDivCase> {};

// Rounds halves away from zero in a 64-bit product; -1 for what does not fit.
TEST_P(MulDivTest, Gives) {
  const MulDivCase& c = GetParam();
  EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulDivTest,
    ::testing::Values(MulDivCase{"PointsToPixels", 22, 96, 72, 29}, MulDivCase{"HalfUp", 3, 1, 2, 2},
                      MulDivCase{"NegativeHalfDown", -3, 1, 2, -2}, MulDivCase{"TwoNegatives", -3, -1, -2, -2},
                      MulDivCase{"NegativeThirdToZero", -1, 1, 3, 0},
                      MulDivCase{"ProductBeyond32Bits", kMax, kMax, kMax, kMax},
                      MulDivCase{"SmallestInt", kMin, 2, 2, kMin}, MulDivCase{"NegatedSmallestInt", kMin, -1, 1, -1},
                      MulDivCase{"ZeroDenominator", 7, 3, 0, -1}),
    [](const ::testing::TestParamInfo<MulDivCase>& tested) { return std::string(tested.param.name); });

// Using a deleted section would crash on Windows; here it is counted.
TEST(CriticalSection, UseAfterDeletionIsCountedNotFatal) {
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
