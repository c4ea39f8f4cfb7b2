#include "tools/trace_json.h"

#include <gtest/gtest.h>

#include "tools/code_page.h"

namespace {

TEST(RenderTraceTest, OneFrameIsOneLineWithTheFixedFieldNames) {
  FrameTrace trace;
  trace.lines.push_back({1, 394758, {0, 14}, {64, 8}});
  trace.lines.push_back({1, 1776411, {0, 21}, {64, 6}});
  trace.rings.push_back({2, 3487029, {18, 16, 22, 20}});
  trace.text = TextTrace{{98, 33}, 0, {-18, 9}, {-17, 8}};
  const std::string line = TraceLine({3, 64, 48, "d[^_^]b", 1200888620u, &trace});
  EXPECT_EQ(line,
            "{\"frame\":3,\"width\":64,\"height\":48,\"caption\":\"d[^_^]b\",\"random_state\":1200888620,"
            "\"lines\":[{\"pen_width\":1,\"color\":394758,\"from\":[0,14],\"to\":[64,8]},"
            "{\"pen_width\":1,\"color\":1776411,\"from\":[0,21],\"to\":[64,6]}],"
            "\"rings\":[{\"pen_width\":2,\"color\":3487029,\"box\":[18,16,22,20]}],"
            "\"twin_rings\":null,"
            "\"text\":{\"measured\":[98,33],\"escapement\":0,\"silver\":[-18,9],\"white\":[-17,8]}}");
}

TEST(RenderTraceTest, TwinRingsEmptyListsMissingTextAndEscapedCaptions) {
  FrameTrace trace;
  trace.twin_rings = TwinRingsTrace{7, 0x2A2A2A, {{10, 20, 30, 40}, {30, 20, 50, 40}}};
  const std::string line = TraceLine({1, 0, 0, "a\"b\\c\n", 33u, &trace});
  EXPECT_NE(line.find("\"caption\":\"a\\\"b\\\\c\\u000a\""), std::string::npos) << line;
  EXPECT_NE(line.find("\"lines\":[],\"rings\":[],"), std::string::npos) << line;
  EXPECT_NE(line.find("\"twin_rings\":{\"pen_width\":7,\"color\":2763306,\"boxes\":[[10,20,30,40],[30,20,50,40]]}"),
            std::string::npos)
      << line;
  EXPECT_NE(line.find("\"text\":null}"), std::string::npos) << line;
}

// The caption bytes become UTF-8 in the trace.
TEST(RenderTraceTest, CaptionsLettersOutsideTheRussianBlockPunctuationNulsAndLongTexts) {
  EXPECT_EQ(Utf8FromCp1251("\xA5\xB4\xAA\xBA\xB2\xB3\xAF\xBF"), "ҐґЄєІіЇї");
  EXPECT_EQ(Utf8FromCp1251("\x96\x97\xAB\xBB\xB9"), "–—«»№");
  EXPECT_EQ(Utf8FromCp1251(std::string("d[^_^]b\0 ", 9)), std::string("d[^_^]b\0 ", 9));
  EXPECT_EQ(Utf8FromCp1251(""), "");
  std::string long_text;
  for (int i = 0; i < 5000; ++i) long_text += "я";
  EXPECT_EQ(Utf8FromCp1251(std::string(5000, '\xFF')), long_text);
}

}  // namespace
