// The text calls: GetTextExtentPoint32A measures and ExtTextOutA writes onto a
// 24-bit section, with the program's bold Arial caption font. Where the
// glyphs go, upright and tilted, is held against the real platform's pixels
// by gdi_probe.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <tuple>

#include "platform/soft/text/text_faces.h"
#include "platform/soft/text/text_glyphs.h"
#include "soft_section.h"

namespace {

constexpr COLORREF kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGrey = 0x404040;
constexpr int kWidth = 300, kHeight = 80;

// "НЕМАЄ СИГНАЛУ" in the code page: capitals only, standing on the baseline.
const std::string kCaption = "\xCD\xC5\xCC\xC0\xAA \xD1\xC8\xC3\xCD\xC0\xCB\xD3";

LOGFONTA Font(const char* face = "Arial", LONG height = -29, LONG escapement = 0) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  font.lfEscapement = escapement;
  font.lfCharSet = RUSSIAN_CHARSET;  // the bytes are Cyrillic, as the program's caption font says
  std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", face);
  return font;
}

// A top-down section with a font selected, white text on a transparent background.
struct Canvas : Section {
  explicit Canvas(const LOGFONTA& font = Font()) : Section(kWidth, kHeight, false) {
    SelectObject(dc(), Keep(CreateFontIndirectA(&font)));
    SetBkMode(dc(), TRANSPARENT);
    SetTextColor(dc(), kWhite);
  }
  BOOL Write(int x, int y, const std::string& text) {
    return ExtTextOutA(dc(), x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  }
  SIZE Extent(const std::string& text, int count = -1) {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc(), text.data(), count < 0 ? int(text.size()) : count, &size));
    return size;
  }
  // Where the pixels differ from the background colour (inclusive), and how many do.
  struct Box {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN, count = 0;
  };
  Box Ink(COLORREF background = kBlack) const {
    Box box;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (At(x, y) == background) continue;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y),
               box.count + 1};
      }
    }
    return box;
  }
};

TEST(TextExtent, CaptionFontMeasuresAsBoldArial) {
  Canvas dc;
  EXPECT_EQ(dc.Extent("THE END").cy, 32);  // the cell of the metric-compatible face
  EXPECT_EQ(dc.Extent("").cy, 32);  // no text still has the full cell
  // The sum of whole-pixel advances of the counted bytes, without kerning even for AV.
  const std::string text = "THE END AV \xCD\xE5\xEC\xE0\xBA";
  int sum = 0;
  for (char c : text) sum += dc.Extent(std::string(1, c)).cx;
  EXPECT_EQ(dc.Extent(text).cx, sum);
  EXPECT_EQ(dc.Extent(text, 3).cx, dc.Extent("THE").cx);
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32A(dc.dc(), nullptr, 0, &size));
}

TEST(TextExtent, OddFontsStillMeasure) {
  for (const LOGFONTA& font : {Font("No Such Face At All"), Font("Arial", INT_MIN), Font("Arial", 0)}) {
    EXPECT_GT(Canvas(font).Extent("W").cx, 0) << font.lfFaceName << " " << font.lfHeight;
  }
  EXPECT_EQ(Canvas(Font("Arial", 20)).Extent("x").cy, 20);  // a positive height is the cell's
}

TEST(TextExtent, RepeatedMeasuringCostsNoLookupAndNoGlyphLoad) {
  Canvas().Extent("THE END");
  const soft::FaceCacheCounters faces = soft::FaceCounters();
  const long glyphs = soft::GlyphCounters().advances_loaded;
  for (int frame = 0; frame < 5; ++frame) Canvas().Extent("THE END");  // a new platform font every frame
  EXPECT_EQ(soft::FaceCounters().fontconfig_queries, faces.fontconfig_queries);
  EXPECT_EQ(soft::FaceCounters().files_opened, faces.files_opened);
  EXPECT_EQ(soft::GlyphCounters().advances_loaded, glyphs);
}

TEST(TextOutput, OpaqueModeFillsExactlyTheCell) {
  Canvas canvas;
  canvas.Fill(kGrey);
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  SetTextColor(canvas.dc(), kRed);  // red is the low byte of a colour value
  canvas.Write(10, 7, "THE END");  // no glyph reaches past its advance
  const SIZE extent = canvas.Extent("THE END");
  const Canvas::Box cell = canvas.Ink(kGrey);
  EXPECT_EQ(cell.count, extent.cx * extent.cy);  // a full rectangle, just where the cell is
  EXPECT_EQ(std::tuple(cell.left, cell.top, cell.right, cell.bottom),
            std::tuple(10, 7, 10 + extent.cx - 1, 7 + extent.cy - 1));
  EXPECT_EQ(canvas.At(10, 7), RGB(0, 0, 255));
  int red = 0;
  for (int y = cell.top; y <= cell.bottom; ++y) {
    for (int x = cell.left; x <= cell.right; ++x) red += canvas.At(x, y) == kRed;
  }
  EXPECT_GT(red, 100) << "the glyphs' fully covered pixels";
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
  EXPECT_TRUE(Canvas(Font("Arial", -29, 450)).Write(INT_MAX, INT_MIN, kCaption));
}

TEST(TextOutput, NothingToWriteOrNothingToWriteOnIsNoFailure) {
  Canvas canvas;
  EXPECT_TRUE(ExtTextOutA(canvas.dc(), 0, 0, 0, nullptr, nullptr, 3, nullptr));
  EXPECT_EQ(canvas.Ink().count, 0);
  HDC memory = CreateCompatibleDC(nullptr);  // no bitmap selected
  EXPECT_TRUE(ExtTextOutA(memory, 0, 0, 0, nullptr, "x", 1, nullptr));
  DeleteDC(memory);
}

}  // namespace
