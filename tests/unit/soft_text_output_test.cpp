// Writing text: ExtTextOutA onto a 24-bit device-independent bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/win32.h"

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;

// "УВАГА! Немає сигналу мережі!" in the code page.
const std::string kWarning =
    "\xD3\xC2\xC0\xC3\xC0! \xCD\xE5\xEC\xE0\xBA \xF1\xE8\xE3\xED\xE0\xEB\xF3 \xEC\xE5\xF0\xE5\xE6\xB3!";

LOGFONTA CaptionFont(LONG escapement = 0, const char* face = "Arial") {
  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfWeight = FW_BOLD;
  font.lfEscapement = escapement;
  font.lfQuality = 200;
  std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", face);
  return font;
}

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
  int count = 0;
};

// A bottom-up 24-bit bitmap in a memory context, white text, transparent
// background; pixels are read back with the platform's documented layout.
class Canvas {
 public:
  Canvas(int width, int height, const LOGFONTA& font = CaptionFont())
      : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)), font_(CreateFontIndirectA(&font)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint8_t*>(bits);
    old_bitmap_ = SelectObject(dc_, bitmap_);
    old_font_ = SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, kWhite);
    Fill(kBlack);
  }
  ~Canvas() {
    SelectObject(dc_, old_font_);
    SelectObject(dc_, old_bitmap_);
    DeleteObject(font_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  BOOL Write(int x, int y, const std::string& text) {
    return ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  }
  SIZE Extent(const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
  }
  COLORREF Pixel(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return RGB(p[2], p[1], p[0]);
  }
  void Paint(const std::function<COLORREF(int, int)>& color) {
    ForEach([&](int x, int y) {
      const COLORREF c = color(x, y);
      std::uint8_t* p = At(x, y);
      p[0] = static_cast<std::uint8_t>(c >> 16), p[1] = static_cast<std::uint8_t>(c >> 8), p[2] = static_cast<std::uint8_t>(c);
    });
  }
  void Fill(COLORREF color) {
    Paint([color](int, int) { return color; });
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
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) visit(x, y);
    }
  }
  HDC dc() const { return dc_; }

 private:
  std::uint8_t* At(int x, int y) const {
    return bits_ + static_cast<std::ptrdiff_t>(height_ - 1 - y) * ((width_ * 3 + 3) & ~3) + x * 3;
  }

  int width_, height_;
  HDC dc_;
  HFONT font_;
  HBITMAP bitmap_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr, old_font_ = nullptr;
};

TEST(TextOutput, CaptionLeavesInkInItsCellFromTheGivenCorner) {
  for (const char* face : {"Arial", "No Such Face 91"}) {
    Canvas canvas(520, 60, CaptionFont(0, face));
    ASSERT_TRUE(canvas.Write(10, 12, kWarning));
    const SIZE extent = canvas.Extent(kWarning);
    TEXTMETRICA metrics{};
    GetTextMetricsA(canvas.dc(), &metrics);
    const Box ink = canvas.Ink();
    EXPECT_GT(ink.count, 1000) << face;
    EXPECT_GE(ink.left, 10);
    EXPECT_LT(ink.left, 10 + 5);  // starts at x: not centred, not right-aligned
    EXPECT_LE(ink.right, 10 + extent.cx);
    EXPECT_GE(ink.top, 12 + metrics.tmInternalLeading);
    EXPECT_LE(ink.bottom, 12 + extent.cy);
  }
  Canvas canvas(200, 60);
  canvas.Write(20, 10, "THE END");  // capitals stand on the baseline, the ascent below y
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas.dc(), &metrics);
  EXPECT_NEAR(canvas.Ink().bottom, 10 + metrics.tmAscent - 1, 1);
}

TEST(TextOutput, TransparentModeTouchesOnlyTheGlyphs) {
  Canvas canvas(200, 50), mask(200, 50);
  mask.Write(5, 5, kWarning);  // white on black: where the glyphs cover anything
  const auto pattern = [](int x, int y) { return RGB(x * 7 % 256, y * 13 % 256, (x + y) % 256); };
  canvas.Paint(pattern);
  canvas.Write(5, 5, kWarning);
  int untouched = 0;
  canvas.ForEach([&](int x, int y) {
    if (mask.Pixel(x, y) == kBlack) {
      EXPECT_EQ(canvas.Pixel(x, y), pattern(x, y)) << x << "," << y;
      ++untouched;
    } else if (mask.Pixel(x, y) == kWhite) {
      EXPECT_EQ(canvas.Pixel(x, y), kWhite) << x << "," << y;
    }
  });
  EXPECT_GT(untouched, 200 * 50 / 2);
}

TEST(TextOutput, OpaqueModeFillsExactlyTheCell) {
  Canvas canvas(200, 60);
  const COLORREF grey = 0x404040, blue = RGB(0, 0, 255);
  canvas.Fill(grey);
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), blue);
  canvas.Write(10, 7, "THE END");
  const SIZE extent = canvas.Extent("THE END");
  canvas.ForEach([&](int x, int y) {
    const bool inside = x >= 10 && x < 10 + extent.cx && y >= 7 && y < 7 + extent.cy;
    EXPECT_EQ(canvas.Pixel(x, y) != grey, inside) << x << "," << y;
  });
  EXPECT_EQ(canvas.Pixel(10, 7), blue);
  EXPECT_EQ(canvas.Pixel(10 + extent.cx - 1, 7 + extent.cy - 1), blue);
  canvas.Fill(grey);
  EXPECT_TRUE(canvas.Write(3, 3, ""));  // no text, no cell
  EXPECT_EQ(canvas.Ink(grey).count, 0);
}

TEST(TextOutput, TextColourLandsExactly) {
  Canvas canvas(200, 50);
  canvas.Write(5, 5, "THE END");
  COLORREF brightest = 0;
  canvas.ForEach([&](int x, int y) { brightest = std::max(brightest, canvas.Pixel(x, y)); });
  EXPECT_EQ(brightest, kWhite);

  canvas.Fill(kBlack);
  SetTextColor(canvas.dc(), RGB(255, 0, 0));  // red is the low byte of a colour value
  canvas.Write(5, 5, "THE END");
  bool full_red = false;
  canvas.ForEach([&](int x, int y) {
    EXPECT_EQ(canvas.Pixel(x, y) & 0xFFFF00, 0u);
    full_red = full_red || canvas.Pixel(x, y) == RGB(255, 0, 0);
  });
  EXPECT_TRUE(full_red);
}

TEST(TextOutput, RightAngleEscapementsWriteUpAndDown) {
  Canvas up(120, 300, CaptionFont(900));
  up.Write(20, 250, "THE END");
  const SIZE extent = up.Extent("THE END");
  EXPECT_EQ(extent.cx, Canvas(1, 1).Extent("THE END").cx);  // measuring ignores the turn
  const Box rising = up.Ink();
  EXPECT_GE(rising.left, 20);
  EXPECT_LE(rising.right, 20 + extent.cy);
  EXPECT_LE(rising.bottom, 250);
  EXPECT_GE(rising.top, 250 - extent.cx - 1);
  EXPECT_GT(rising.bottom - rising.top, 3 * (rising.right - rising.left));

  Canvas down(120, 300, CaptionFont(-900));
  down.Write(80, 20, "THE END");
  const Box falling = down.Ink();
  EXPECT_GE(falling.top, 20);
  EXPECT_LE(falling.right, 80);
  EXPECT_GT(falling.bottom - falling.top, 3 * (falling.right - falling.left));
}

TEST(TextOutput, SmallTiltLiftsTheEndOfTheLine) {
  for (LONG tilt : {29, -29}) {
    Canvas canvas(220, 80, CaptionFont(tilt));
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

TEST(TextOutput, ClipsToTheBitmap) {
  Canvas canvas(60, 30);
  EXPECT_TRUE(canvas.Write(-40, -12, "THE END"));
  EXPECT_GT(canvas.Ink().count, 0);
  canvas.Fill(kBlack);
  EXPECT_TRUE(canvas.Write(50, 20, kWarning));
  EXPECT_GE(canvas.Ink().left, 50);
  EXPECT_GE(canvas.Ink().top, 20);
  for (int far : {INT_MIN, INT_MIN + 5, -100000, 100000, INT_MAX - 5, INT_MAX}) {
    canvas.Fill(kBlack);
    EXPECT_TRUE(canvas.Write(far, far, kWarning));
    EXPECT_TRUE(canvas.Write(far, 5, kWarning));
    EXPECT_EQ(canvas.Ink().count, 0) << far;
  }
  Canvas tilted(60, 30, CaptionFont(450));
  EXPECT_TRUE(tilted.Write(INT_MAX, INT_MIN, kWarning));
}

TEST(TextOutput, OtherContextsAndArguments) {
  Canvas canvas(100, 40);
  MoveToEx(canvas.dc(), 3, 4, nullptr);
  canvas.Write(10, 10, "THE END");
  POINT position{};
  GetCurrentPositionEx(canvas.dc(), &position);
  EXPECT_EQ(position.x, 3);  // text output leaves the current position alone
  EXPECT_EQ(position.y, 4);
  EXPECT_FALSE(ExtTextOutA(canvas.dc(), 0, 0, 0, nullptr, nullptr, 3, nullptr));
  EXPECT_FALSE(ExtTextOutA(nullptr, 0, 0, 0, nullptr, "x", 1, nullptr));
  EXPECT_FALSE(ExtTextOutA(reinterpret_cast<HDC>(0x7777), 0, 0, 0, nullptr, "x", 1, nullptr));

  HDC memory = CreateCompatibleDC(nullptr);  // no pixels: nothing drawn, no failure
  EXPECT_TRUE(ExtTextOutA(memory, 0, 0, 0, nullptr, "THE END", 7, nullptr));
  DeleteDC(memory);
  HDC screen = GetDC(nullptr);
  EXPECT_TRUE(ExtTextOutA(screen, 0, 0, 0, nullptr, "THE END", 7, nullptr));
  ReleaseDC(nullptr, screen);
}

}  // namespace
