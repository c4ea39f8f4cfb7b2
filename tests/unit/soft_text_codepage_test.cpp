#include "platform/soft/text_codepage.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using soft::Cp1251ToUnicode;

TEST(Cp1251, UkrainianLettersOutsideTheRussianAlphabet) {
  EXPECT_EQ(Cp1251ToUnicode(0xB2), U'І');
  EXPECT_EQ(Cp1251ToUnicode(0xB3), U'і');
  EXPECT_EQ(Cp1251ToUnicode(0xAF), U'Ї');
  EXPECT_EQ(Cp1251ToUnicode(0xBF), U'ї');
  EXPECT_EQ(Cp1251ToUnicode(0xAA), U'Є');
  EXPECT_EQ(Cp1251ToUnicode(0xBA), U'є');
  EXPECT_EQ(Cp1251ToUnicode(0xA5), U'Ґ');
  EXPECT_EQ(Cp1251ToUnicode(0xB4), U'ґ');
}

TEST(Cp1251, AlphabetAsciiAndPunctuation) {
  EXPECT_EQ(Cp1251ToUnicode('A'), U'A');
  EXPECT_EQ(Cp1251ToUnicode(0x7F), U'\x7F');
  EXPECT_EQ(Cp1251ToUnicode(0xC0), U'А');
  EXPECT_EQ(Cp1251ToUnicode(0xDF), U'Я');
  EXPECT_EQ(Cp1251ToUnicode(0xE0), U'а');
  EXPECT_EQ(Cp1251ToUnicode(0xFF), U'я');
  EXPECT_EQ(Cp1251ToUnicode(0xA8), U'Ё');
  EXPECT_EQ(Cp1251ToUnicode(0x85), U'…');
  EXPECT_EQ(Cp1251ToUnicode(0x96), U'–');
  EXPECT_EQ(Cp1251ToUnicode(0x97), U'—');
  EXPECT_EQ(Cp1251ToUnicode(0xAB), U'«');
  EXPECT_EQ(Cp1251ToUnicode(0xB9), U'№');
  EXPECT_EQ(Cp1251ToUnicode(0x88), U'€');
  EXPECT_EQ(Cp1251ToUnicode(0xA0), U'\u00A0');
  EXPECT_EQ(Cp1251ToUnicode(0x98), U'\uFFFD');  // the one undefined byte
}

TEST(Cp1251, EveryDefinedByteHasItsOwnCodePoint) {
  std::set<char32_t> seen;
  for (int byte = 0; byte < 0x100; ++byte) {
    if (byte == 0x98) continue;
    EXPECT_TRUE(seen.insert(Cp1251ToUnicode(byte)).second) << byte;
  }
}

TEST(Cp1251, DecodesAndConvertsText) {
  EXPECT_EQ(soft::DecodeCp1251("\xC0\xE2\xF2\xEE\xF0: \xCE\xF0\xEA\xEE"), U"Автор: Орко");
  EXPECT_EQ(soft::DecodeCp1251(""), U"");
  EXPECT_EQ(soft::Cp1251ToUtf8("THE END"), "THE END");
  EXPECT_EQ(soft::Cp1251ToUtf8("\xB2\xE0\x85\xB9"), "Іа…№");
}

}  // namespace
