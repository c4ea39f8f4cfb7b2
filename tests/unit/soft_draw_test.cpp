// The GDI drawing calls on memory and window contexts: which pen, brush and
// position they use, what they leave alone, and the copies between contexts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/win32.h"
#include "support/fake_window.h"

namespace {

constexpr COLORREF kGrey = 0x404040;

// A bottom-up 24-bit section selected into a memory context, read straight
// from its memory. It starts black.
class Frame {
 public:
  Frame(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    section_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    SelectObject(dc_, section_);
    // A new section's pixels are unspecified (memory of an earlier one may
    // come back): the tests start from black.
    std::fill(bits_, bits_ + Stride() * height_, std::uint8_t{0});
  }
  // Deleting the context deselects everything, so all of it can go.
  ~Frame() {
    DeleteDC(dc_);
    DeleteObject(section_);
    for (HGDIOBJ object : made_) DeleteObject(object);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = bits_ + static_cast<std::ptrdiff_t>(height_ - 1 - y) * Stride() + x * 3;
    return RGB(p[2], p[1], p[0]);
  }
  std::vector<std::uint8_t> Memory() const { return {bits_, bits_ + Stride() * height_}; }
  HPEN Pen(int width, COLORREF color) {
    const LOGPEN pen{PS_SOLID, {width, 0}, color};
    return static_cast<HPEN>(Keep(CreatePenIndirect(&pen)));
  }
  HBRUSH Brush(COLORREF color) {
    const LOGBRUSH brush{BS_SOLID, color, 0};
    return static_cast<HBRUSH>(Keep(CreateBrushIndirect(&brush)));
  }

 private:
  int Stride() const { return (width_ * 3 + 3) & ~3; }
  HGDIOBJ Keep(HGDIOBJ object) { return made_.emplace_back(object); }
  int width_;
  int height_;
  HDC dc_;
  HBITMAP section_;
  std::uint8_t* bits_ = nullptr;
  std::vector<HGDIOBJ> made_;
};

// The composer's wide rings and lines, and the neutral pen that draws nothing.
TEST(Pens, WideOnesStrokeAcrossThePathAndTheNullOneOnlyMoves) {
  Frame frame(20, 12);
  SelectObject(frame.dc(), frame.Pen(3, kGrey));
  MoveToEx(frame.dc(), 5, 6, nullptr);
  LineTo(frame.dc(), 14, 6);
  for (int y = 4; y <= 8; ++y) EXPECT_EQ(frame.At(10, y), y >= 5 && y <= 7 ? kGrey : 0u) << y;
  EXPECT_EQ(frame.At(15, 6), kGrey);  // the round end reaches past the end point

  SelectObject(frame.dc(), GetStockObject(NULL_PEN));
  SelectObject(frame.dc(), frame.Brush(0x00FF00));
  EXPECT_TRUE(LineTo(frame.dc(), 14, 0));
  EXPECT_EQ(frame.At(14, 3), 0u);
  POINT position{};
  GetCurrentPositionEx(frame.dc(), &position);
  EXPECT_EQ(position.y, 0);
  EXPECT_TRUE(Ellipse(frame.dc(), 0, 0, 5, 5));
  EXPECT_EQ(frame.At(0, 2), 0x00FF00u);  // the fill reaches the edge where no outline is
}

TEST(Blits, TakeOnlyMemoryContextsAsSources) {
  Frame dest(8, 8);
  HDC screen = GetDC(nullptr);
  EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 4, 4, screen, 0, 0, SRCCOPY));
  EXPECT_FALSE(StretchBlt(dest.dc(), 0, 0, 4, 4, screen, 0, 0, 4, 4, SRCCOPY));
  EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  ReleaseDC(nullptr, screen);
}

TEST(FillRectCall, TakesBrushesAndSystemColourIndexesAndRefusesAnythingElse) {
  Frame frame(4, 4);
  const RECT all{0, 0, 4, 4};
  EXPECT_NE(FillRect(frame.dc(), &all, reinterpret_cast<HBRUSH>(COLOR_MENU + 1)), 0);
  EXPECT_EQ(frame.At(0, 0), 0xF0F0F0u);
  EXPECT_NE(FillRect(frame.dc(), &all, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
  EXPECT_EQ(frame.At(3, 3), 0xF0F0F0u);
  EXPECT_EQ(FillRect(frame.dc(), &all, reinterpret_cast<HBRUSH>(&frame)), 0);
}

TEST(FocusRect, IsDottedOnAContextAndRefusedOnAWindowHandle) {
  FakeWindow window(8, 8);
  const RECT all{0, 0, 8, 8};
  EXPECT_FALSE(DrawFocusRect(reinterpret_cast<HDC>(window.handle()), &all));
  EXPECT_EQ(window.Pixel(0, 0), 0);

  Frame frame(8, 8);
  EXPECT_TRUE(DrawFocusRect(frame.dc(), &all));
  EXPECT_EQ(frame.At(0, 0) + frame.At(1, 0) + frame.At(2, 0), 2 * 0xFFFFFFu);  // dotted
  DrawFocusRect(frame.dc(), &all);  // drawing it again undoes it
  EXPECT_EQ(frame.Memory(), std::vector<std::uint8_t>(frame.Memory().size(), 0));
}

// Work that followed the coordinates instead of the frame would run into the
// test's time limit.
TEST(Clipping, HugeCoordinatesPassThroughTheCalls) {
  constexpr int kMin = std::numeric_limits<int>::min();
  constexpr int kMax = std::numeric_limits<int>::max();
  Frame frame(1024, 768);
  SelectObject(frame.dc(), frame.Pen(19, kGrey));
  SelectObject(frame.dc(), GetStockObject(NULL_BRUSH));
  MoveToEx(frame.dc(), kMin, kMin, nullptr);
  LineTo(frame.dc(), kMax, kMax);
  Ellipse(frame.dc(), kMin, kMin, kMax, kMax);
  PatBlt(frame.dc(), kMin, kMin, kMax, kMax, WHITENESS);
  EXPECT_EQ(frame.At(500, 500), kGrey);
}

}  // namespace
