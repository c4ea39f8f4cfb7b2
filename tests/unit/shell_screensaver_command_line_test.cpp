// The screensaver's command line as the desktop's settings write it, and
// what it refuses.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "shell/screensaver_command_line.h"

namespace {

using Arguments = std::vector<std::string>;

void PrintTo(const Arguments& arguments, std::ostream* out) {
  for (const std::string& argument : arguments) *out << "[" << argument << "]";
}

struct Accepted {
  Arguments arguments;
  ScreensaverCommand command;
};

void PrintTo(const Accepted& accepted, std::ostream* out) { PrintTo(accepted.arguments, out); }

class AcceptedCommandLine : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedCommandLine, GivesTheModeAndTheWindow) {
  const ParsedScreensaverCommand parsed = ParseScreensaverCommandLine(GetParam().arguments);
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  EXPECT_EQ(parsed.command, GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    ScreensaverCommandLine, AcceptedCommandLine,
    testing::Values(Accepted{{}, {ScreensaverMode::Settings, 0}},  // opened from the file
                    Accepted{{"/s"}, {ScreensaverMode::FullScreen, 0}},
                    Accepted{{"-S"}, {ScreensaverMode::FullScreen, 0}},
                    Accepted{{"/p", "1234"}, {ScreensaverMode::Preview, 1234}},
                    Accepted{{"/P:1234"}, {ScreensaverMode::Preview, 1234}},
                    Accepted{{"-p", "0"}, {ScreensaverMode::Preview, 0}},  // a number; whether a window is checked later
                    Accepted{{"/c"}, {ScreensaverMode::Settings, 0}},
                    Accepted{{"/C:65814"}, {ScreensaverMode::Settings, 65814}},
                    Accepted{{"-c", "42"}, {ScreensaverMode::Settings, 42}},
                    Accepted{{"/p", "4294967295"}, {ScreensaverMode::Preview, 4294967295u}}));

struct Refused {
  Arguments arguments;
  std::string named;  // what the message must name
};

void PrintTo(const Refused& refused, std::ostream* out) { PrintTo(refused.arguments, out); }

class RefusedCommandLine : public testing::TestWithParam<Refused> {};

TEST_P(RefusedCommandLine, SaysWhatIsWrong) {
  const ParsedScreensaverCommand parsed = ParseScreensaverCommandLine(GetParam().arguments);
  EXPECT_FALSE(parsed.ok());
  EXPECT_NE(parsed.error.find(GetParam().named), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    ScreensaverCommandLine, RefusedCommandLine,
    testing::Values(Refused{{"/x"}, "\"/x\""}, Refused{{"s"}, "\"s\""}, Refused{{"/"}, "\"/\""},
                    Refused{{"/save"}, "\"/save\""}, Refused{{"--s"}, "\"--s\""}, Refused{{""}, "\"\""},
                    Refused{{"/p"}, "handle"}, Refused{{"/p:"}, "\"\""}, Refused{{"/p", "abc"}, "\"abc\""},
                    Refused{{"/p", "-5"}, "\"-5\""}, Refused{{"/p:0x1F"}, "\"0x1F\""},
                    Refused{{"/p", "99999999999999999999999"}, "not a window handle"},
                    Refused{{"/p", "12", "34"}, "\"34\""}, Refused{{"/p:12", "34"}, "\"34\""},
                    Refused{{"/s", "12"}, "\"12\""}, Refused{{"/s:12"}, "/s"}, Refused{{"/c:abc"}, "\"abc\""}));

}  // namespace
