#include "tools/terminal_text.h"

#include <gtest/gtest.h>

namespace {

// An argument echoed in a message cannot drive the terminal: C0, DEL and the
// C1 controls (as UTF-8) come out as escapes; other text, Cyrillic included,
// as it is.
TEST(RenderTerminalTextTest, ControlCharactersAreEscapedAndTheRestKept) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"--\x1b]2;pwned\a", "--\\x1b]2;pwned\\x07"},
      {"a\tb\r\n\x7f", "a\\x09b\\x0d\\x0a\\x7f"},
      {"\xc2\x9b" "31m", "\\u009b31m"},
      {"Кадри/frame-00001.png", "Кадри/frame-00001.png"},
      {"\xc2\xa0 and \\x1b", "\xc2\xa0 and \\x1b"},
      {"end\xc2", "end\xc2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Printable(c.in), c.out) << c.out;
}

}  // namespace
