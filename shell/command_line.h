// What the command line asks of the program: its window (no arguments), a
// surface someone else owns (the X root window, or a window named by its
// id), or only a text (help, version, or why an argument is refused). Pure
// text in, a decision out: no platform calls, so that both platforms share it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class LaunchMode {
  Window,      // the program's own window, as without arguments
  RootWindow,  // the root window of the X screen
  HandedWindow,  // the window whose id is in `window_id`
  Help,
  Version,
  Refused,  // `error` says why, in one line
};

struct Launch {
  LaunchMode mode = LaunchMode::Window;
  unsigned long window_id = 0;
  std::string error;
};

// `arguments` without the program's name. `screensaver_window` is the
// value of XSCREENSAVER_WINDOW, or nullptr when it is not set: a daemon
// that starts a hack with --root hands it that window instead of the root.
Launch ParseCommandLine(const std::vector<std::string_view>& arguments, const char* screensaver_window);

// A window id in decimal or 0x-hex: a positive number that fits an X id
// (32 bits); nothing else, no sign, no spaces. 0 when it is not one.
unsigned long ParseWindowId(std::string_view text);

// The argument as it may be shown in a message: control bytes (escape
// sequences a terminal would obey) become \xNN.
std::string Printable(std::string_view argument);

// The texts of --help and --version.
std::string HelpText(std::string_view program);
std::string VersionText();
