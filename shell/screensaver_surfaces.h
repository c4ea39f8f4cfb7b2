// Where nosignal.scr shows the animation (Windows only): full screen on
// every monitor, or in a child of the settings' preview window. Both run the
// animation and the message loop on the calling thread until they end, with
// the runtime already started, and return the exit code.
#pragma once

#include <vector>

#include "platform/win32.h"
#include "shell/monitor_layout.h"

// A window per monitor of the desktop, as PlaceSaverWindows places them.
std::vector<SaverWindowPlace> MonitorPlaces();

// Windows at those places until a key, a mouse button or a mouse movement
// of more than a few pixels.
int RunFullScreen(const std::vector<SaverWindowPlace>& places);

// Until the preview window goes (or closes our child); the child follows the
// preview window's client size. The preview window is never touched.
int RunPreview(HWND preview_window);

// Registers a class for the screensaver's windows: black behind the frames,
// no cursor of its own. True also when it is registered already.
bool RegisterScreensaverClass(const char* name, WNDPROC procedure);
