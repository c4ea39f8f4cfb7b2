// Windows that another client of the X server owns (a screensaver daemon's
// window, the root window), taken into the software platform so that the
// program draws into them as into a window of its own. Not part of the
// Win32 subset.
#pragma once

#include "platform/win32.h"

namespace soft {

// Stands for the root window of the X screen in AdoptX11Window.
constexpr unsigned long kX11RootWindow = 0;

// A window of the registered class `class_name` whose client area is the X
// window `id`: the program's procedure gets its messages, its client size
// is the X window's size and follows it, and it has no frame (outer size is
// client size). Destroying it, or ending, leaves the X window as it was; the
// X window destroyed by its owner destroys the adopted one (WM_DESTROY).
// Null on failure: ERROR_INVALID_WINDOW_HANDLE when there is no such X
// window, ERROR_NO_SYSTEM_RESOURCES when there is no X display (told on
// standard error), ERROR_CANNOT_FIND_WND_CLASS for an unknown class.
HWND AdoptX11Window(const char* class_name, unsigned long id);

}  // namespace soft
