#include "shell/screensaver_command_line.h"

#include <cctype>
#include <limits>
#include <optional>

namespace {

// A window handle in decimal, as the settings pass it; nothing else (no sign,
// no spaces) and nothing too large for a handle.
std::optional<std::uintptr_t> WindowHandle(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::uintptr_t value = 0;
  constexpr std::uintptr_t kMaximum = std::numeric_limits<std::uintptr_t>::max();
  for (const char digit : text) {
    if (digit < '0' || digit > '9') return std::nullopt;
    const auto next = static_cast<std::uintptr_t>(digit - '0');
    if (value > (kMaximum - next) / 10) return std::nullopt;
    value = value * 10 + next;
  }
  return value;
}

std::optional<ScreensaverMode> ModeOf(char letter) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 's': return ScreensaverMode::FullScreen;
    case 'p': return ScreensaverMode::Preview;
    case 'c': return ScreensaverMode::Settings;
    default: return std::nullopt;
  }
}

ParsedScreensaverCommand Refuse(std::string error) { return {{}, std::move(error)}; }

}  // namespace

ParsedScreensaverCommand ParseScreensaverCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return {};  // opened from the file: the settings
  const std::string& flag = arguments[0];
  const bool flag_shaped = flag.size() >= 2 && (flag[0] == '/' || flag[0] == '-') && (flag.size() == 2 || flag[2] == ':');
  const std::optional<ScreensaverMode> mode = flag_shaped ? ModeOf(flag[1]) : std::nullopt;
  if (!mode) return Refuse("Unknown option \"" + flag + "\": use /s, /p HWND or /c.");
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(flag[1])));

  // The handle follows the colon, or is the next argument.
  std::optional<std::string> handle_text;
  std::size_t used = 1;
  if (flag.size() > 2) {
    handle_text = flag.substr(3);
  } else if (arguments.size() > 1 && *mode != ScreensaverMode::FullScreen) {
    handle_text = arguments[1];
    used = 2;
  }
  if (used < arguments.size()) return Refuse("Unexpected argument \"" + arguments[used] + "\" after /" + letter + ".");
  if (*mode == ScreensaverMode::FullScreen && handle_text) return Refuse("/s takes no window handle.");
  if (*mode == ScreensaverMode::Preview && !handle_text) return Refuse("/p needs the handle of the preview window.");
  if (!handle_text) return {{*mode, 0}, ""};
  const std::optional<std::uintptr_t> window = WindowHandle(*handle_text);
  if (!window) return Refuse("\"" + *handle_text + "\" after /" + letter + " is not a window handle (a decimal number).");
  return {{*mode, *window}, ""};
}
