// How a screensaver daemon ends the program it started: SIGTERM (and a
// terminal SIGINT or SIGHUP). Each closes the main window, as its close
// button would, so that the program ends with 0 and leaves a window that is
// not its own in place. Nothing on Windows, which has no such signals.
#pragma once

#include "platform/win32.h"

// Before any thread starts (every thread inherits the blocked set): holds
// the signals back, so that none ends the process before the window exists.
void HoldStopSignals();

// Once the main window exists: a thread that waits for the held signals and
// closes `window` when one comes, one arrived before included.
void CloseOnStopSignals(HWND window);
