// The boxes of nosignal.scr, caught instead of shown: the settings box, and
// for a command line it does not understand a box that says what is wrong,
// exit status 2 and nothing drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/screensaver.h"
#include "support/platform_probe.h"

namespace {

struct BoxCase {
  std::vector<std::string> arguments;  // "gone": the handle of a window destroyed already
  int exit_code;
  const char* says;
};

void PrintTo(const BoxCase& box, std::ostream* out) {
  for (const std::string& argument : box.arguments) *out << "[" << argument << "]";
}

class ScreensaverBox : public testing::TestWithParam<BoxCase> {};

// A handle that named a window once; never shown, so gone at once.
std::string GoneWindow() {
  const HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(window);
  return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

TEST_P(ScreensaverBox, ShowsOneBoxAndExitsWithItsStatus) {
  std::vector<std::string> arguments = GetParam().arguments;
  for (std::string& argument : arguments) {
    if (argument == "gone") argument = GoneWindow();
  }
  std::vector<std::string> boxes;
  probe::SetMessageBoxSink([&](const std::string& text, const std::string&, UINT) { boxes.push_back(text); });
  EXPECT_EQ(RunScreensaver(arguments), GetParam().exit_code);
  probe::SetMessageBoxSink(nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find(GetParam().says), std::string::npos) << boxes[0];
  EXPECT_EQ(probe::CountLive().windows, 0) << "nothing drawn";
}

INSTANTIATE_TEST_SUITE_P(
    SettingsAndBadCommandLines, ScreensaverBox,
    testing::Values(BoxCase{{}, 0, "no settings"}, BoxCase{{"-C"}, 0, "no settings"},
                    BoxCase{{"/c", "gone"}, 0, "no settings"},  // an owner that is gone: a box of its own
                    BoxCase{{"/p"}, 2, "/p needs the handle"}, BoxCase{{"/P", "abc"}, 2, "\"abc\" after /p"},
                    BoxCase{{"/p", "gone"}, 2, "There is no window"}, BoxCase{{"/x"}, 2, "Unknown option \"/x\""}));

}  // namespace
