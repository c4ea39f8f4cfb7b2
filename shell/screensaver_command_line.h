// The command line of nosignal.scr, as the desktop's screen saver settings
// call it: "/s" to run, "/p HWND" to preview in a window, "/c" (or nothing)
// to configure. Letters in either case, after "/" or "-"; a window handle
// after a space or a colon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ScreensaverMode { Settings, FullScreen, Preview };

struct ScreensaverCommand {
  ScreensaverMode mode = ScreensaverMode::Settings;
  // The preview window, or the settings box's owner; 0 when none was given.
  std::uintptr_t window = 0;
  bool operator==(const ScreensaverCommand&) const = default;
};

// Either a command or, when the arguments make none, what is wrong with
// them, in a sentence for a message box.
struct ParsedScreensaverCommand {
  ScreensaverCommand command;
  std::string error;
  bool ok() const { return error.empty(); }
};

// `arguments` without the program's own name.
ParsedScreensaverCommand ParseScreensaverCommandLine(const std::vector<std::string>& arguments);
