#include "shell/command_line.h"

#include <cstdint>
#include <cstdio>

#include "nosignal_version.h"

namespace {

constexpr unsigned long kLargestId = 0xFFFFFFFFul;

Launch Refuse(std::string reason) {
  Launch launch;
  launch.mode = LaunchMode::Refused;
  launch.error = std::move(reason);
  return launch;
}

Launch Refuse(const char* reason, std::string_view argument) {
  return Refuse(std::string(reason) + " '" + Printable(argument) + "'");
}

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// The one surface the arguments name so far; a second one is a conflict.
struct Parser {
  Launch launch;
  bool surface_named = false;
  bool refused = false;

  void Refuse(Launch refusal) {
    if (!refused) launch = std::move(refusal);
    refused = true;
  }

  void Name(LaunchMode mode, unsigned long id, std::string_view argument) {
    if (surface_named) return Refuse(::Refuse("only one place to draw may be named; also got", argument));
    surface_named = true;
    launch.mode = mode;
    launch.window_id = id;
  }

  void WindowId(std::string_view text) {
    const unsigned long id = ParseWindowId(text);
    if (id == 0) return Refuse(::Refuse("not a window id (a number, decimal or 0x-hex):", text));
    Name(LaunchMode::HandedWindow, id, text);
  }
};

}  // namespace

unsigned long ParseWindowId(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return 0;
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return 0;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > kLargestId) return 0;
  }
  return static_cast<unsigned long>(value);
}

// Control characters shown as escapes, so that an argument cannot steer the
// terminal: C0 and DEL as \xNN, and the C1 controls, which some terminals
// obey in UTF-8 too (U+009B is a CSI), as \u00NN.
std::string Printable(std::string_view argument) {
  std::string shown;
  char escaped[7];
  for (std::size_t i = 0; i < argument.size(); ++i) {
    const auto byte = static_cast<unsigned char>(argument[i]);
    const auto next = i + 1 < argument.size() ? static_cast<unsigned char>(argument[i + 1]) : 0u;
    if (byte < 0x20 || byte == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      shown += escaped;
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      std::snprintf(escaped, sizeof escaped, "\\u00%02x", next);
      shown += escaped;
      ++i;
    } else {
      shown += argument[i];
    }
  }
  return shown;
}

Launch ParseCommandLine(const std::vector<std::string_view>& arguments, const char* screensaver_window) {
  Parser parser;
  for (std::size_t i = 0; i < arguments.size() && !parser.refused; ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--help" || argument == "-h") return Launch{LaunchMode::Help, 0, {}};
    if (argument == "--version") return Launch{LaunchMode::Version, 0, {}};
    if (argument == "--root" || argument == "-root") {
      parser.Name(LaunchMode::RootWindow, 0, argument);
    } else if (argument == "--window-id" || argument == "-window-id") {
      if (i + 1 == arguments.size()) return Refuse(Printable(argument) + " needs a window id");
      parser.WindowId(arguments[++i]);
    } else if (argument.starts_with("--window-id=")) {
      parser.WindowId(argument.substr(argument.find('=') + 1));
    } else {
      parser.Refuse(Refuse(argument.starts_with("-") ? "unknown option" : "unexpected argument", argument));
    }
  }
  Launch launch = std::move(parser.launch);
  if (launch.mode != LaunchMode::RootWindow || screensaver_window == nullptr) return launch;
  // The daemon's window stands in for the root window.
  launch.window_id = ParseWindowId(screensaver_window);
  if (launch.window_id == 0) return Refuse("XSCREENSAVER_WINDOW is not a window id:", screensaver_window);
  launch.mode = LaunchMode::HandedWindow;
  return launch;
}

std::string HelpText(std::string_view program) {
  const std::string name(program);
  return "Usage: " + name + " [--root | --window-id ID]\n"
         "A television screen with no signal: static, lines, rings and a trembling caption.\n"
         "\n"
         "  (no option)       open the program's own window\n"
         "  --root, -root     draw on the root window of the X screen, or into the window\n"
         "                    named by XSCREENSAVER_WINDOW when that is set (as a\n"
         "                    screensaver daemon starts its hacks)\n"
         "  --window-id ID    draw into the X window ID (decimal or 0x-hex)\n"
         "  --help            print this help and exit\n"
         "  --version         print the version and exit\n"
         "\n"
         "Exit status: 0 when closed or stopped, 1 when the display failed, 2 for a bad argument.\n";
}

std::string VersionText() { return std::string("nosignal ") + NOSIGNAL_VERSION + "\n"; }
