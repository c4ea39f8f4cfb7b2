// Writing text: ExtTextOutA onto a 24-bit device-independent bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "platform/win32.h"

namespace {

constexpr COLORREF kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGrey = 0x404040;

// "НЕМАЄ СИГНАЛУ" in the code page: capitals only, standing on the baseline.
const std::string kCaption = "\xCD\xC5\xCC\xC0\xAA \xD1\xC8\xC3\xCD\xC0\xCB\xD3";

LOGFONTA CaptionFont(LONG escapement = 0) {
  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfWeight = FW_BOLD;
  font.lfEscapement = escapement;
  font.lfCharSet = RUSSIAN_CHARSET;  // the bytes are Cyrillic, as the program's caption font says
  std::strcpy(font.lfFaceName, "Arial");
  return font;
}

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
  int count = 0;
};

// A top-down 24-bit bitmap in a memory context, white text on a transparent
// background; pixels are read back in the platform's documented layout.
struct Canvas {
  static constexpr int kWidth = 300, kHeight = 80;  // rows of 900 bytes need no padding

  explicit Canvas(const LOGFONTA& description = CaptionFont()) : font(CreateFontIndirectA(&description)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint8_t*>(pixels);
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kWhite);
    Fill(kBlack);
  }
  ~Canvas() {
    DeleteDC(dc);  // lets go of the bitmap and the font
    DeleteObject(font);
    DeleteObject(bitmap);
  }

  BOOL Write(int x, int y, const std::string& text) {
    return ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  }
  SIZE Extent(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
  }
  std::uint8_t* At(int x, int y) const { return bits + (y * kWidth + x) * 3; }
  COLORREF Pixel(int x, int y) const { return RGB(At(x, y)[2], At(x, y)[1], At(x, y)[0]); }
  void Fill(COLORREF color) {
    ForEach([&](int x, int y) {
      for (int i = 0; i < 3; ++i) At(x, y)[i] = static_cast<std::uint8_t>(color >> (16 - 8 * i));  // blue first
    });
  }
  // Where the pixels differ from the background colour.
  Box Ink(COLORREF background = kBlack) const {
    Box box;
    ForEach([&](int x, int y) {
      if (Pixel(x, y) == background) return;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y),
             box.count + 1};
    });
    return box;
  }
  void ForEach(const std::function<void(int, int)>& visit) const {
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) visit(x, y);
    }
  }

  const HDC dc = CreateCompatibleDC(nullptr);
  const HFONT font;
  HBITMAP bitmap = nullptr;
  std::uint8_t* bits = nullptr;
};

TEST(TextOutput, OpaqueModeFillsExactlyTheCell) {
  Canvas canvas;
  canvas.Fill(kGrey);
  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  canvas.Write(10, 7, "THE END");  // no glyph reaches past its advance
  const SIZE extent = canvas.Extent("THE END");
  const Box cell = canvas.Ink(kGrey);
  EXPECT_EQ(cell.count, extent.cx * extent.cy);  // a full rectangle, just where the cell is
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.top, 7);
  EXPECT_EQ(cell.right, 10 + extent.cx - 1);
  EXPECT_EQ(cell.bottom, 7 + extent.cy - 1);
  EXPECT_EQ(canvas.Pixel(10, 7), RGB(0, 0, 255));
}

TEST(TextOutput, TransparentGlyphsSitInTheCellAndTouchNothingElse) {
  Canvas mask, canvas;
  ASSERT_TRUE(mask.Write(20, 10, kCaption));  // white on black: where the glyphs cover anything
  const SIZE extent = mask.Extent(kCaption);
  TEXTMETRICA metrics{};
  GetTextMetricsA(mask.dc, &metrics);
  const Box ink = mask.Ink();
  EXPECT_GE(ink.left, 20);
  EXPECT_LT(ink.left, 20 + 5);  // starts at x: not centred, not right-aligned
  EXPECT_LE(ink.right, 20 + extent.cx);
  EXPECT_GE(ink.top, 10 + metrics.tmInternalLeading);
  EXPECT_EQ(ink.bottom, 10 + metrics.tmAscent - 1);  // capitals stand on the baseline
  canvas.Fill(kGrey);
  SetTextColor(canvas.dc, kRed);  // red is the low byte of a colour value
  canvas.Write(20, 10, kCaption);
  int covered = 0;
  canvas.ForEach([&](int x, int y) {
    const COLORREF glyph = mask.Pixel(x, y);  // black: untouched, white: fully covered
    if (glyph == kBlack || glyph == kWhite) {
      EXPECT_EQ(canvas.Pixel(x, y), glyph == kBlack ? kGrey : kRed) << x << "," << y;
    }
    covered += glyph == kWhite;
  });
  EXPECT_GT(covered, 200);
}

TEST(TextOutput, SmallTiltLiftsTheEndOfTheLine) {
  for (LONG tilt : {29, -29}) {
    Canvas canvas(CaptionFont(tilt));
    canvas.Write(10, 20, "HHHHHH");
    const int width = canvas.Extent("HHHHHH").cx;
    const auto mean_row = [&](int from, int to) {
      double sum = 0, count = 0;
      canvas.ForEach([&](int x, int y) {
        if (x >= from && x < to && canvas.Pixel(x, y) != kBlack) sum += y, ++count;
      });
      return sum / count;
    };
    // 2.9 degrees over two thirds of the line: about 4 pixels.
    const double rise = mean_row(10, 10 + width / 3) - mean_row(10 + 2 * width / 3, 10 + width);
    EXPECT_NEAR(rise, tilt > 0 ? 4.0 : -4.0, 1.5) << tilt;
  }
}

TEST(TextOutput, ClipsToTheBitmapWhereverTheTextIs) {
  Canvas canvas;
  EXPECT_TRUE(canvas.Write(-40, -12, kCaption));
  EXPECT_GT(canvas.Ink().count, 0);
  for (int far : {INT_MIN, INT_MIN + 5, -100000, 100000, INT_MAX - 5, INT_MAX}) {
    canvas.Fill(kBlack);
    EXPECT_TRUE(canvas.Write(far, far, kCaption));
    EXPECT_TRUE(canvas.Write(far, 5, kCaption));
    EXPECT_EQ(canvas.Ink().count, 0) << far;
  }
  EXPECT_TRUE(Canvas(CaptionFont(450)).Write(INT_MAX, INT_MIN, kCaption));
}

TEST(TextOutput, RefusesBadArgumentsAndDrawsNothingWithoutPixels) {
  Canvas canvas;
  EXPECT_TRUE(ExtTextOutA(canvas.dc, 0, 0, 0, nullptr, nullptr, 3, nullptr)) << "nothing to write, as on Windows";
  EXPECT_FALSE(ExtTextOutA(reinterpret_cast<HDC>(0x7777), 0, 0, 0, nullptr, "x", 1, nullptr));
  EXPECT_EQ(canvas.Ink().count, 0);
  HDC memory = CreateCompatibleDC(nullptr);  // no bitmap selected: nothing to draw on is no failure
  EXPECT_TRUE(ExtTextOutA(memory, 0, 0, 0, nullptr, "x", 1, nullptr));
  DeleteDC(memory);
}

}  // namespace
