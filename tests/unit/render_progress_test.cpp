#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tools/progress_line.h"

namespace {

using std::chrono::milliseconds;

struct TextCase {
  std::int64_t done, total;
  double elapsed;
  bool final;
  const char* text;
};

class RenderProgressTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(RenderProgressTextTest, FramesRateAndTime) {
  const TextCase& c = GetParam();
  EXPECT_EQ(ProgressLine::Text(c.done, c.total, c.elapsed, c.final), c.text);
}

INSTANTIATE_TEST_SUITE_P(Lines, RenderProgressTextTest,
                         testing::Values(TextCase{10, 600, 0.5, false, "10/600 frames, 20.0 fps, 0:30 left"},
                                         TextCase{100, 100000, 2, false, "100/100000 frames, 50.0 fps, 33:18 left"},
                                         TextCase{1, 1000000, 1, false, "1/1000000 frames, 1.0 fps, 277:46:39 left"},
                                         TextCase{0, 5, 0, false, "0/5 frames, 0.0 fps, time left unknown"},
                                         TextCase{600, 600, 75.4, true, "600/600 frames, 8.0 fps, 1:15 in all"},
                                         TextCase{3, 3, 0, true, "3/3 frames, 0.0 fps, 0:00 in all"}));

std::string Contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

// Redrawn in place at most every quarter second, shorter texts cleared by
// spaces, and the final line ends the line; an abandoned line is ended too,
// so that an error starts on its own, but only once one was drawn.
TEST(RenderProgressLineTest, RedrawsInPlaceAndEndsCleanly) {
  const ProgressLine::Clock::time_point start{};
  std::FILE* finished = std::tmpfile();
  ProgressLine line(finished, 1000, start);
  line.Update(1, start + milliseconds(100));  // too soon
  line.Update(100, start + milliseconds(1000));
  line.Update(101, start + milliseconds(1100));  // too soon again
  line.Update(999, start + milliseconds(10000));
  line.Finish(1000, start + milliseconds(10000));
  EXPECT_EQ(Contents(finished),
            "\rnosignal-render: 100/1000 frames, 100.0 fps, 0:09 left"
            "\rnosignal-render: 999/1000 frames, 99.9 fps, 0:00 left "
            "\rnosignal-render: 1000/1000 frames, 100.0 fps, 0:10 in all\n");
  std::fclose(finished);

  std::FILE* abandoned = std::tmpfile();
  ProgressLine short_line(abandoned, 10, start);
  short_line.Abandon();  // nothing drawn: nothing to end
  short_line.Update(5, start + milliseconds(500));
  short_line.Abandon();
  EXPECT_EQ(Contents(abandoned), "\rnosignal-render: 5/10 frames, 10.0 fps, 0:01 left\n");
  std::fclose(abandoned);
}

}  // namespace
