// What an X desktop needs beyond SDL: an end that is quick and said plainly
// when the connection breaks, windows that others destroy, and screens of
// 256 colours.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

namespace soft::display::x11 {

// Once SDL has opened the X display, before the first window: installs the
// process's handlers for X errors and for the connection's end, and makes
// new windows use the screen's own visual where SDL would pick one it
// cannot draw into. True when windows on this screen can have a surface of
// their own, false when only a texture can show them.
bool PrepareDesktop();

// Whether an X server accepts connections at `display_name`.
bool CanConnect(const char* display_name);

// The X window `id` if it exists, the root window of the default screen if
// `id` is 0; 0 when there is no such window.
unsigned long ExistingWindow(unsigned long id);
// For a window of another client: asks for its size changes and its end
// (and for exposures), on top of what this connection already selected;
// never for input, which on the root window belongs to the window manager.
// False when the window no longer exists.
bool WatchForeign(SDL_Window* native);

// The X window behind an SDL window, or 0.
unsigned long WindowOf(SDL_Window* native);
// The connection's file descriptor, to wait on; -1 if there is none.
int ConnectionFd(SDL_Window* native);

// Errors about this X window are expected from now on, not fatal: another
// client may destroy it at any moment.
void Adopt(SDL_Window* native);

// Destroys the window. One that another client destroyed first waits for
// the server's answer, so that the errors about it arrive while they are
// still expected, not when SDL closes the connection at exit.
void Destroy(SDL_Window* native);

// The X window that an X event announces as destroyed, or 0. One of ours
// is remembered as gone from the server.
unsigned long DestroyedWindow(const SDL_SysWMmsg& message);

// For a window whose pixels are colour-map indices: puts it on the screen's
// default colour map and fills `pixels` with the index nearest to each grey
// level. False when the map has no room for greys.
bool AllocateGreys(SDL_Window* native, std::array<std::uint8_t, 256>& pixels);

}  // namespace soft::display::x11
