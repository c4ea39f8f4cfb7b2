// The main thread's message loop, which also tells the animation how large
// the window is.
#pragma once

#include "platform/win32.h"

// Takes and dispatches messages until the quit message, publishing the
// window's outer size after every message taken.
void RunMessageLoop(HWND window);

// Stores the window's outer width and height in FrameWidth and FrameHeight;
// leaves them alone when the window cannot say (it is gone).
void PublishFrameSize(HWND window);
