#include "shell/screensaver.h"

#include <exception>

#include "platform/win32.h"
#include "shell/error_box.h"
#include "shell/runtime.h"
#include "shell/screensaver_command_line.h"
#include "shell/screensaver_surfaces.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kBadCommandLine = 2;
constexpr const char* kBoxCaption = "nosignal";

int ShowSettings(std::uintptr_t owner_handle) {
  const HWND owner = reinterpret_cast<HWND>(owner_handle);
  MessageBoxA(IsWindow(owner) ? owner : nullptr, "This screensaver has no settings to change.", kBoxCaption,
              MB_OK | MB_ICONINFORMATION);
  return kSuccess;
}

int Refuse(const std::string& problem) {
  MessageBoxA(nullptr, problem.c_str(), kBoxCaption, MB_OK | MB_ICONERROR);
  return kBadCommandLine;
}

// With the runtime started around it, as for the program's own window.
template <class Body>
int WithRuntime(Body body) {
  StartRuntime();
  int exit_code;
  try {
    exit_code = body();
    if (exit_code == kFailure) {
      MessageBoxA(nullptr, "The screensaver cannot open its window.", kBoxCaption, MB_OK | MB_ICONERROR);
    }
  } catch (const std::exception& error) {
    ShowApplicationError(error);
    exit_code = kFailure;
  }
  StopRuntime();
  return exit_code;
}

}  // namespace

int RunScreensaver(const std::vector<std::string>& arguments) {
  const ParsedScreensaverCommand parsed = ParseScreensaverCommandLine(arguments);
  if (!parsed.ok()) return Refuse(parsed.error);
  const ScreensaverCommand& command = parsed.command;
  switch (command.mode) {
    case ScreensaverMode::Settings:
      return ShowSettings(command.window);
    case ScreensaverMode::FullScreen:
      return WithRuntime([] { return RunFullScreen(MonitorPlaces()); });
    case ScreensaverMode::Preview: {
      const HWND preview = reinterpret_cast<HWND>(command.window);
      if (!IsWindow(preview)) return Refuse("There is no window " + std::to_string(command.window) + " to preview in.");
      return WithRuntime([preview] { return RunPreview(preview); });
    }
  }
  return kFailure;
}
