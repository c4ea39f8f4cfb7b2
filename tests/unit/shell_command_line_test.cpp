// What each command line asks for, and the one line a refused one gets.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
  std::vector<std::string_view> arguments;
  const char* screensaver_window;  // XSCREENSAVER_WINDOW, or nullptr when unset
  LaunchMode mode;
  unsigned long window_id;
  const char* error;  // for a refusal: text the line must contain
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
  for (const auto argument : c.arguments) out << '[' << Printable(argument) << ']';
  return out << " env=" << (c.screensaver_window != nullptr ? Printable(c.screensaver_window) : "(unset)");
}

class CommandLineTest : public testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, Decides) {
  const Case& c = GetParam();
  const Launch launch = ParseCommandLine(c.arguments, c.screensaver_window);
  EXPECT_EQ(launch.mode, c.mode);
  if (c.mode == LaunchMode::HandedWindow) {
    EXPECT_EQ(launch.window_id, c.window_id);
  }
  if (c.mode == LaunchMode::Refused) {
    EXPECT_NE(launch.error.find(c.error), std::string::npos) << launch.error;
    EXPECT_EQ(launch.error.find('\n'), std::string::npos) << "one line";
  }
}

using M = LaunchMode;

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    testing::Values(
        Case{{}, nullptr, M::Window, 0, ""},
        // The daemon's variable matters only to --root.
        Case{{}, "0x400001", M::Window, 0, ""},
        Case{{"--help"}, nullptr, M::Help, 0, ""},
        Case{{"-h"}, nullptr, M::Help, 0, ""},
        Case{{"--version"}, nullptr, M::Version, 0, ""},
        Case{{"--root"}, nullptr, M::RootWindow, 0, ""},
        Case{{"-root"}, nullptr, M::RootWindow, 0, ""},
        Case{{"--root"}, "0x400001", M::HandedWindow, 0x400001, ""},
        Case{{"-root"}, "4194305", M::HandedWindow, 4194305, ""},
        Case{{"--root"}, "", M::Refused, 0, "XSCREENSAVER_WINDOW"},
        Case{{"--root"}, "0x40\x1b", M::Refused, 0, "'0x40\\x1b'"},
        Case{{"--window-id", "0x1e00003"}, nullptr, M::HandedWindow, 0x1e00003, ""},
        Case{{"--window-id", "0X1E00003"}, nullptr, M::HandedWindow, 0x1e00003, ""},
        Case{{"--window-id", "31457283"}, nullptr, M::HandedWindow, 31457283, ""},
        Case{{"--window-id=77"}, nullptr, M::HandedWindow, 77, ""},
        Case{{"--window-id", "0xFFFFFFFF"}, nullptr, M::HandedWindow, 0xFFFFFFFFul, ""},
        Case{{"--window-id", "0x100000000"}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id", "99999999999999999999999"}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id", "0"}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id", "0x"}, nullptr, M::Refused, 0, "'0x'"},
        Case{{"--window-id", "-5"}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id", "+5"}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id", " 5"}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id", "12abc"}, nullptr, M::Refused, 0, "'12abc'"},
        Case{{"--window-id", ""}, nullptr, M::Refused, 0, "not a window id"},
        Case{{"--window-id"}, nullptr, M::Refused, 0, "--window-id needs a window id"},
        Case{{"--root", "--window-id", "5"}, nullptr, M::Refused, 0, "only one place"},
        Case{{"--root", "--root"}, nullptr, M::Refused, 0, "only one place"},
        Case{{"--bogus"}, nullptr, M::Refused, 0, "unknown option '--bogus'"},
        Case{{"--\x1b[31mred"}, nullptr, M::Refused, 0, "'--\\x1b[31mred'"},
        Case{{"tab\there\x7f"}, nullptr, M::Refused, 0, "unexpected argument 'tab\\x09here\\x7f'"},
        Case{{"--\xc2\x9b" "31m\xd0\x96"}, nullptr, M::Refused, 0, "'--\\u009b31m\xd0\x96'"},
        // The first refusal is the one told; help after it is not obeyed.
        Case{{"--bogus", "--help"}, nullptr, M::Refused, 0, "'--bogus'"},
        Case{{"--root", "--bogus"}, "0x400001", M::Refused, 0, "'--bogus'"},
        Case{{"--help", "--bogus"}, nullptr, M::Help, 0, ""}));

TEST(CommandLineText, HelpNamesEveryOption) {
  const std::string help = HelpText("nosignal");
  for (const char* option : {"--root", "-root", "--window-id", "--help", "--version", "XSCREENSAVER_WINDOW"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(VersionText().rfind("nosignal ", 0), 0u);
}

}  // namespace
