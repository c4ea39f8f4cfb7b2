#include "shell/handed_surface.h"

#include <cstdio>

#include "shell/main_window.h"
#include "shell/user_text.h"

#ifndef _WIN32
#include "platform/soft/native_window.h"
#endif

namespace {

constexpr int kFailure = 1;
constexpr int kBadArgument = 2;

}  // namespace

#ifdef _WIN32

HandedSurface OpenHandedSurface(const Launch&) {
  TellRefusal("--root and --window-id draw into X windows; there are none on Windows");
  return HandedSurface{nullptr, kBadArgument};
}

#else

HandedSurface OpenHandedSurface(const Launch& launch) {
  const unsigned long id = launch.mode == LaunchMode::RootWindow ? soft::kX11RootWindow : launch.window_id;
  const HWND window = soft::AdoptX11Window(MainClassName, id);
  if (window != nullptr) return HandedSurface{window, 0};
  if (GetLastError() != ERROR_INVALID_WINDOW_HANDLE) return HandedSurface{nullptr, kFailure};
  char line[96];
  if (id == soft::kX11RootWindow) {
    std::snprintf(line, sizeof line, "the X screen has no root window to draw on");
  } else {
    std::snprintf(line, sizeof line, "no X window has the id 0x%lx", id);
  }
  TellRefusal(line);
  return HandedSurface{nullptr, kBadArgument};
}

#endif
