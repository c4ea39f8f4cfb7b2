// Puts a window's client buffer on the screen through the display's own
// memory for the window (SDL's window surface). Where that memory has the
// buffer's size and pixel layout, the buffer is moved into it and contexts
// draw straight into what the display shows; otherwise the buffer is copied
// there for every presentation. Display thread only.
#pragma once

#include <memory>

#include "platform/soft/window_client_buffer.h"

struct SDL_Window;

namespace soft::display {

// True when the window now shows the buffer's pixels.
bool PresentClientBuffer(SDL_Window* native, const std::shared_ptr<ClientBuffer>& buffer);

// The window's memory is about to be freed (the window is destroyed, or the
// display closes): the buffer living in it draws nothing any more.
void ForgetWindowSurface(SDL_Window* native);
void ForgetAllWindowSurfaces();

}  // namespace soft::display
