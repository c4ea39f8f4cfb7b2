// The text engine under the calls: font requests and their faces, the cells
// of its metrics, its turned glyph images, and the code pages that turn a
// font's bytes into characters.
#include "platform/soft/text/text_faces.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "platform/soft/text/text_codepage.h"
#include "platform/soft/text/text_glyphs.h"
#include "platform/soft/text/text_metrics.h"

namespace {

soft::FaceRequest Request(std::string name, bool bold = false) { return {std::move(name), bold, false}; }

TEST(FaceRequest, ReadsNameBoldAndItalic) {
  LOGFONTA font{};
  std::strcpy(font.lfFaceName, "ARIAL");
  font.lfWeight = FW_BOLD;
  font.lfItalic = 1;
  EXPECT_EQ(soft::FaceRequest::For(font), (soft::FaceRequest{"arial", true, true}));  // names match in any case
  std::memset(font.lfFaceName, 'x', LF_FACESIZE);  // no terminating zero
  EXPECT_EQ(soft::FaceRequest::For(font).name, std::string(LF_FACESIZE, 'x'));
}

// Which file a request finds, and that it is the metric-compatible face with
// every letter, is held by gdi_probe's comparison with the real platform.
TEST(ResolveFace, BoldAndRegularAreFacesOfTheirOwn) {
  auto bold = soft::ResolveFace(Request("arial", true));
  ASSERT_NE(bold, nullptr);
  EXPECT_NE(bold, soft::ResolveFace(Request("arial")));
}

// A turn and the same turn a full circle on, or the other way round, share one image.
TEST(GlyphCache, KeepsOneImagePerTurn) {
  auto face = soft::ResolveFace(Request("arial", true));
  const unsigned glyph = face->GlyphIndices(U"I").front();
  auto sideways = soft::GlyphBitmap(*face, 29, glyph, 900);
  EXPECT_EQ(soft::GlyphBitmap(*face, 29, glyph, 3600 + 900), sideways);
  EXPECT_EQ(soft::GlyphBitmap(*face, 29, glyph, -2700), sideways);
}

// The design of the common metric-compatible sans faces.
const soft::FaceDesign kSans{.units_per_em = 2048, .ascent = 1854, .descent = 434};

// Ascent and descent as the platform reports them for that design (measured
// under Wine, regular and bold alike).
TEST(TextMetrics, CellsAreTheOnesThePlatformReports) {
  // {em, ascent, descent}; at 29, 26.25 and 6.15 make the caption's cell 32.
  const int cells[][3] = {{29, 26, 6}, {31, 28, 7}, {16, 14, 3}, {4, 4, 1}, {120, 109, 25}};
  for (const auto& [em, ascent, descent] : cells) {
    const soft::FontMetrics m = soft::ScaleMetrics(kSans, em);
    EXPECT_EQ(std::tuple(m.ascent, m.descent, m.height), std::tuple(ascent, descent, ascent + descent)) << em;
  }
  EXPECT_EQ(soft::ScaleMetrics(kSans, 29).internal_leading, 3);
}

TEST(TextMetrics, HeightsAskedForBecomeEmSizes) {
  EXPECT_EQ(soft::EmPixelsFor(kSans, -29), 29);
  // {cell, em}: 29.54 and 72.50 round down, 80.56 up; a 3-pixel cell's em has a cell of 4.
  const int ems[][2] = {{33, 29}, {81, 72}, {90, 81}, {32, 29}, {3, 3}, {1, 1}};
  for (const auto& [cell, em] : ems) EXPECT_EQ(soft::EmPixelsFor(kSans, cell), em) << cell;
  EXPECT_EQ(soft::EmPixelsFor(kSans, 0), soft::EmPixelsFor(kSans, soft::kDefaultCellHeight));
  EXPECT_EQ(soft::EmPixelsFor(kSans, INT_MIN), soft::kLargestEmPixels);
  EXPECT_EQ(soft::EmPixelsFor(kSans, INT_MAX), soft::kLargestEmPixels);
}

TEST(Cp1251, MapsEachByteToItsOwnCharacterInTextToo) {
  // The Ukrainian letters outside the Russian alphabet, the alphabet's ends,
  // ASCII, and punctuation of the upper half.
  const std::pair<unsigned char, char32_t> table[] = {
      {0xB2, U'І'}, {0xB3, U'і'}, {0xAF, U'Ї'}, {0xBF, U'ї'}, {0xAA, U'Є'}, {0xBA, U'є'},
      {0xA5, U'Ґ'}, {0xB4, U'ґ'}, {0xC0, U'А'}, {0xDF, U'Я'}, {0xE0, U'а'}, {0xFF, U'я'},
      {0xA8, U'Ё'}, {'A', U'A'}, {0x7F, U'\x7F'}, {0x85, U'…'}, {0x97, U'—'}, {0xAB, U'«'},
      {0xB9, U'№'}, {0x88, U'€'}, {0xA0, U'\u00A0'}, {0x98, U'\uFFFD'}};  // 0x98: the one undefined byte
  for (auto [byte, code] : table) EXPECT_EQ(soft::Cp1251ToUnicode(byte), code) << int(byte);
  std::set<char32_t> seen;  // a slip in the table shows as a character met twice
  for (int byte = 0; byte < 0x100; ++byte) {
    EXPECT_TRUE(byte == 0x98 || seen.insert(soft::Cp1251ToUnicode(byte)).second) << byte;
  }
  EXPECT_EQ(soft::DecodeCp1251("\xC0\xE2\xF2\xEE\xF0: \xCE\xF0\xEA\xEE"), U"Автор: Орко");
  EXPECT_EQ(soft::Cp1251ToUtf8("\xB2\xE0\x85\xB9 END"), "Іа…№ END");
}

// The font's character set picks the code page, as on Windows: a Western
// font reads the same bytes as Western letters.
TEST(CodePageOfCharset, WesternForAnsiCyrillicForRussianAndTheSystemsForTheRest) {
  const struct {
    unsigned char charset, effective;
    std::u32string text;
  } cases[] = {{0, 0, U"À€²Ÿ"}, {1, 204, U"АЂІџ"}, {204, 204, U"АЂІџ"}, {238, 204, U"АЂІџ"}};
  for (const auto& c : cases) {
    EXPECT_EQ(soft::EffectiveCharset(c.charset), c.effective) << int(c.charset);
    EXPECT_EQ(soft::DecodeText("\xC0\x80\xB2\x9F", c.charset), c.text) << int(c.charset);
  }
  EXPECT_EQ(soft::DecodeText("\x81\x8D\x8F\x90\x9D", 0), U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD") << "undefined in 1252";
}

}  // namespace
