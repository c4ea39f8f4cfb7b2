// The GDI drawing calls on memory and window contexts: which pen, brush and
// position they use, what they leave alone, and the copies between contexts.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/soft/soft.h"
#include "platform/win32.h"
#include "support/fake_window.h"

namespace {

constexpr COLORREF kGrey = 0x404040;

// A bottom-up 24-bit section selected into a memory context, read straight
// from its memory.
class Frame {
 public:
  Frame(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    section_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    SelectObject(dc_, section_);
  }
  // Deleting the context deselects everything, so all of it can go.
  ~Frame() {
    DeleteDC(dc_);
    DeleteObject(section_);
    for (HGDIOBJ object : made_) DeleteObject(object);
  }
  HDC dc() const { return dc_; }
  int Stride() const { return (width_ * 3 + 3) & ~3; }
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = bits_ + static_cast<std::ptrdiff_t>(height_ - 1 - y) * Stride() + x * 3;
    return RGB(p[2], p[1], p[0]);
  }
  std::vector<std::uint8_t> Memory() const { return {bits_, bits_ + Stride() * height_}; }
  void Clear(COLORREF color) {
    const RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, Brush(color));
  }
  HPEN Pen(int width, COLORREF color, UINT style = PS_SOLID) {
    const LOGPEN pen{style, {width, 0}, color};
    return Keep(CreatePenIndirect(&pen));
  }
  HBRUSH Brush(COLORREF color, UINT style = BS_SOLID) {
    const LOGBRUSH brush{style, color, 0};
    return Keep(CreateBrushIndirect(&brush));
  }

 private:
  template <class T>
  T Keep(T object) {
    made_.push_back(object);
    return object;
  }
  int width_;
  int height_;
  HDC dc_;
  HBITMAP section_;
  std::uint8_t* bits_ = nullptr;
  std::vector<HGDIOBJ> made_;
};

TEST(LineTo, DrawsFromThePositionToTheEndExcludedAndMovesThere) {
  Frame frame(16, 8);
  SelectObject(frame.dc(), frame.Pen(1, 0x0000FF));
  MoveToEx(frame.dc(), 2, 3, nullptr);
  EXPECT_TRUE(LineTo(frame.dc(), 10, 3));
  POINT position{};
  GetCurrentPositionEx(frame.dc(), &position);
  EXPECT_EQ(position.x, 10);
  EXPECT_EQ(position.y, 3);
  EXPECT_EQ(frame.At(2, 3), 0x0000FFu);
  EXPECT_EQ(frame.At(9, 3), 0x0000FFu);
  EXPECT_EQ(frame.At(10, 3), 0u);
  EXPECT_EQ(frame.At(1, 3), 0u);
}

TEST(LineTo, WidthsZeroAndOneDrawTheSamePixels) {
  Frame zero(64, 48);
  Frame one(64, 48);
  SelectObject(zero.dc(), zero.Pen(0, kGrey));
  SelectObject(one.dc(), one.Pen(1, kGrey));
  for (Frame* frame : {&zero, &one}) {
    MoveToEx(frame->dc(), 0, 30, nullptr);
    LineTo(frame->dc(), 64, 40);
    LineTo(frame->dc(), 3, 0);
    LineTo(frame->dc(), 50, 47);
  }
  EXPECT_EQ(zero.Memory(), one.Memory());
  EXPECT_EQ(one.At(0, 30), kGrey);
}

TEST(LineTo, WidePenStrokesAcrossThePath) {
  Frame frame(20, 12);
  SelectObject(frame.dc(), frame.Pen(3, kGrey));
  MoveToEx(frame.dc(), 5, 6, nullptr);
  LineTo(frame.dc(), 14, 6);
  for (int y : {5, 6, 7}) EXPECT_EQ(frame.At(10, y), kGrey);
  EXPECT_EQ(frame.At(10, 4), 0u);
  EXPECT_EQ(frame.At(10, 8), 0u);
  EXPECT_EQ(frame.At(15, 6), kGrey);  // the round end reaches past the end point
}

TEST(LineTo, NullPenOnlyMoves) {
  Frame frame(8, 8);
  SelectObject(frame.dc(), GetStockObject(NULL_PEN));
  MoveToEx(frame.dc(), 0, 0, nullptr);
  EXPECT_TRUE(LineTo(frame.dc(), 7, 7));
  POINT position{};
  GetCurrentPositionEx(frame.dc(), &position);
  EXPECT_EQ(position.x, 7);
  EXPECT_EQ(frame.At(3, 3), 0u);
}

TEST(EllipseCall, HollowBrushDrawsTheOutlineOnly) {
  Frame frame(20, 20);
  frame.Clear(kGrey);
  SelectObject(frame.dc(), frame.Pen(1, 0xFFFFFF));
  SelectObject(frame.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(Ellipse(frame.dc(), 2, 2, 18, 18));
  EXPECT_EQ(frame.At(10, 10), kGrey);
  EXPECT_EQ(frame.At(2, 10), 0xFFFFFFu);
  EXPECT_EQ(frame.At(17, 10), 0xFFFFFFu);
  EXPECT_EQ(frame.At(18, 10), kGrey);  // the right edge is excluded
  EXPECT_EQ(frame.At(10, 18), kGrey);  // so is the bottom edge

  SelectObject(frame.dc(), frame.Brush(0x00FF00));
  Ellipse(frame.dc(), 2, 2, 18, 18);
  EXPECT_EQ(frame.At(10, 10), 0x00FF00u);
}

TEST(EllipseCall, EmptyBoxDrawsNothingAndReversedCornersDrawTheSame) {
  Frame empty(16, 16);
  SelectObject(empty.dc(), empty.Pen(6, kGrey));
  Ellipse(empty.dc(), 10, 10, 10, 10);
  Ellipse(empty.dc(), 4, 2, 4, 12);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(empty.At(x, y), 0u);

  Frame forward(16, 16);
  Frame backward(16, 16);
  Ellipse(forward.dc(), 1, 2, 14, 11);
  Ellipse(backward.dc(), 14, 11, 1, 2);
  EXPECT_EQ(forward.Memory(), backward.Memory());
}

TEST(Blits, PatBltFillsWithWhiteBlackOrTheBrush) {
  Frame frame(1023, 2);
  EXPECT_TRUE(PatBlt(frame.dc(), 0, 0, 1023, 2, WHITENESS));
  const std::vector<std::uint8_t> memory = frame.Memory();
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 1023 * 3; ++i) ASSERT_EQ(memory[static_cast<std::size_t>(row * 3072 + i)], 0xFF);

  EXPECT_TRUE(PatBlt(frame.dc(), 10, 1, -5, 1, BLACKNESS));  // negative widths count leftwards
  EXPECT_EQ(frame.At(4, 1), 0xFFFFFFu);
  EXPECT_EQ(frame.At(5, 1), 0u);
  EXPECT_EQ(frame.At(9, 1), 0u);
  EXPECT_EQ(frame.At(10, 1), 0xFFFFFFu);

  SelectObject(frame.dc(), frame.Brush(kGrey));
  PatBlt(frame.dc(), 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(frame.At(0, 0), kGrey);
  SelectObject(frame.dc(), GetStockObject(NULL_BRUSH));
  PatBlt(frame.dc(), 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(frame.At(0, 0), kGrey);
}

TEST(Blits, StretchBltCopiesAFrameIntoAWindowOneToOne) {
  Frame frame(64, 48);
  for (int y = 0; y < 48; ++y) {
    const RECT row{0, y, 64, y + 1};
    FillRect(frame.dc(), &row, frame.Brush(RGB(y * 5, y * 5, y * 5)));
  }
  FakeWindow window(40, 30);  // smaller than the frame: the rest is clipped
  HDC dc = GetDC(window.handle());
  ASSERT_NE(dc, nullptr);
  EXPECT_TRUE(StretchBlt(dc, 0, 0, 64, 48, frame.dc(), 0, 0, 64, 48, SRCCOPY));
  EXPECT_EQ(ReleaseDC(window.handle(), dc), 1);
  for (int y = 0; y < 30; ++y) EXPECT_EQ(window.Pixel(39, y), y * 5) << y;
  EXPECT_EQ(window.Presented(), 1);
}

TEST(Blits, BitBltCopiesBetweenMemoryContextsWithOffsets) {
  Frame source(8, 8);
  Frame dest(8, 8);
  const RECT square{2, 2, 4, 4};
  FillRect(source.dc(), &square, source.Brush(kGrey));
  EXPECT_TRUE(BitBlt(dest.dc(), 5, 0, 8, 8, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(dest.At(7, 2), kGrey);
  EXPECT_EQ(dest.At(6, 2), 0u);
  EXPECT_EQ(dest.At(7, 4), 0u);
}

TEST(Blits, OnlyMemoryContextsAreSources) {
  Frame frame(4, 4);
  HDC screen = GetDC(nullptr);
  EXPECT_FALSE(BitBlt(frame.dc(), 0, 0, 4, 4, screen, 0, 0, SRCCOPY));
  EXPECT_FALSE(StretchBlt(frame.dc(), 0, 0, 4, 4, screen, 0, 0, 4, 4, SRCCOPY));
  EXPECT_FALSE(BitBlt(frame.dc(), 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  ReleaseDC(nullptr, screen);
}

TEST(FillRectCall, TakesBrushesAndSystemColourIndexes) {
  Frame frame(4, 4);
  const RECT all{0, 0, 4, 4};
  EXPECT_NE(FillRect(frame.dc(), &all, frame.Brush(kGrey)), 0);
  EXPECT_EQ(frame.At(3, 3), kGrey);
  EXPECT_NE(FillRect(frame.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_MENU + 1)), 0);
  EXPECT_EQ(frame.At(0, 0), 0xF0F0F0u);
  EXPECT_NE(FillRect(frame.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_EQ(frame.At(0, 0), 0xF0F0F0u);
  EXPECT_EQ(FillRect(frame.dc(), &all, reinterpret_cast<HBRUSH>(&frame)), 0);
}

TEST(FocusRect, OnAWindowHandleFailsAndDrawsNothing) {
  FakeWindow window(8, 8);
  const RECT all{0, 0, 8, 8};
  EXPECT_FALSE(DrawFocusRect(reinterpret_cast<HDC>(window.handle()), &all));
  EXPECT_EQ(window.Pixel(0, 0), 0);

  Frame frame(8, 8);
  EXPECT_TRUE(DrawFocusRect(frame.dc(), &all));
  EXPECT_EQ(frame.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(frame.At(1, 0), 0u);
  DrawFocusRect(frame.dc(), &all);
  EXPECT_EQ(frame.At(0, 0), 0u);
}

TEST(Clipping, HugeCoordinatesThroughTheCallsAreQuick) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  Frame frame(1024, 768);
  SelectObject(frame.dc(), frame.Pen(19, kGrey));
  SelectObject(frame.dc(), GetStockObject(NULL_BRUSH));
  const auto start = std::chrono::steady_clock::now();
  MoveToEx(frame.dc(), kMin, kMin, nullptr);
  LineTo(frame.dc(), kMax, kMax);
  Ellipse(frame.dc(), kMin, kMin, kMax, kMax);
  PatBlt(frame.dc(), kMin, kMin, kMax, kMax, WHITENESS);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 1.0);
  EXPECT_EQ(frame.At(500, 500), kGrey);
}

}  // namespace
