#include "platform/soft/text/text_codepage.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

TEST(Cp1251, MapsEachByteToItsOwnCharacter) {
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
}

TEST(Cp1251, DecodesAndConvertsText) {
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
