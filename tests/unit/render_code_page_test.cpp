#include <gtest/gtest.h>

#include "tools/code_page.h"

namespace {

// The caption bytes become UTF-8 in the trace; the render tool's end-to-end
// test reads a whole caption.
TEST(RenderCodePageTest, LettersOutsideTheRussianBlockPunctuationNulsAndLongTexts) {
  EXPECT_EQ(Utf8FromCp1251("\xA5\xB4\xAA\xBA\xB2\xB3\xAF\xBF"), "ҐґЄєІіЇї");
  EXPECT_EQ(Utf8FromCp1251("\x96\x97\xAB\xBB\xB9"), "–—«»№");
  EXPECT_EQ(Utf8FromCp1251(std::string("d[^_^]b\0 ", 9)), std::string("d[^_^]b\0 ", 9));
  EXPECT_EQ(Utf8FromCp1251(""), "");
  std::string long_text;
  for (int i = 0; i < 5000; ++i) long_text += "я";
  EXPECT_EQ(Utf8FromCp1251(std::string(5000, '\xFF')), long_text);
}

}  // namespace
