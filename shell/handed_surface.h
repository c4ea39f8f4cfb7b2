// The main window on a surface that another program owns: the X root window
// or a window whose id we are given (a screensaver daemon's window).
#pragma once

#include "platform/win32.h"
#include "shell/command_line.h"

struct HandedSurface {
  HWND window = nullptr;  // the main window, drawing into that surface
  int exit_code = 0;      // when there is no window: what the program ends with
};

// Takes the surface `launch` names (RootWindow or HandedWindow) as the main
// window, of the registered main class. Without a window, the reason is
// told already: exit code 2 for an id that names no window, 1 when the
// display cannot be used.
HandedSurface OpenHandedSurface(const Launch& launch);
