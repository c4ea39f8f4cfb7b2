// Where nosignal.scr shows the animation (Windows only): full screen on
// every monitor, or in a child of the settings' preview window. Both run the
// animation and the message loop on the calling thread until they end, with
// the runtime already started, and return the exit code.
#pragma once

#include "platform/win32.h"

// Until a key, a mouse button or a mouse movement of more than a few pixels.
int RunFullScreen();

// Until the preview window goes (or closes our child); the child follows the
// preview window's client size. The preview window is never touched.
int RunPreview(HWND preview_window);
