#include <gtest/gtest.h>

#include "tools/code_page.h"

namespace {

TEST(RenderCodePageTest, CaptionsAndTheUkrainianLettersOutsideTheRussianBlock) {
  // "УВАГА! Немає сигналу мережі!" as the caption table stores it.
  EXPECT_EQ(Utf8FromCp1251("\xD3\xC2\xC0\xC3\xC0! \xCD\xE5\xEC\xE0\xBA \xF1\xE8\xE3\xED\xE0\xEB\xF3 "
                           "\xEC\xE5\xF0\xE5\xE6\xB3!"),
            "УВАГА! Немає сигналу мережі!");
  EXPECT_EQ(Utf8FromCp1251("\xA5\xB4\xAA\xBA\xB2\xB3\xAF\xBF"), "ҐґЄєІіЇї");
  EXPECT_EQ(Utf8FromCp1251("\x96\x97\xAB\xBB\xB9"), "–—«»№");
  EXPECT_EQ(Utf8FromCp1251(std::string("d[^_^]b\0 ", 9)), std::string("d[^_^]b\0 ", 9));
  EXPECT_EQ(Utf8FromCp1251(""), "");
}

TEST(RenderCodePageTest, LongTextIsConvertedWhole) {
  const std::string bytes(5000, '\xFF');  // "я", two bytes each in UTF-8
  std::string expected;
  for (int i = 0; i < 5000; ++i) expected += "я";
  EXPECT_EQ(Utf8FromCp1251(bytes), expected);
}

}  // namespace
