// The connection to the desktop (SDL video). Every call into SDL happens on
// the display thread, the thread that created the first window; other
// threads only queue requests for it.
#pragma once

#include <string>

#include "platform/win32.h"

namespace soft {
class Window;
}

namespace soft::display {

// Opens the desktop on the calling thread, which becomes the display thread.
// `x11_class` names the windows to the window manager. False when there is
// no display to open; never falls back to drawing off screen on its own.
bool Start(const std::string& x11_class);
bool IsDisplayThread();
bool IsDisplayThreadId(DWORD thread);

// Gives `window` a window on the desktop whose outer size, frame included,
// is width by height; hidden until Show.
bool CreateNative(Window& window, int x, int y, int width, int height);
void DestroyNative(Window& window);
// Gives `window` the X window `id` of another client (kX11RootWindow: the
// root window) as its window on the desktop, without changing it. Sets the
// last error when it cannot.
bool AdoptNative(Window& window, unsigned long id);
void Show(Window& window, int command);
void Move(Window& window, int x, int y, int width, int height);

// Turns what the desktop reported into the windows' state and messages,
// and presents what other threads drew.
void DispatchPendingEvents();
// Blocks until the desktop or another thread has something for the display
// thread, then dispatches it.
void WaitForEvents();

// Any thread.
void Wake();
void RequestPresent(HWND window);

}  // namespace soft::display
