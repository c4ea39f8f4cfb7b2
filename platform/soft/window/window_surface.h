// Puts a window's client buffer on the screen through the display's own
// memory for the window (SDL's window surface). Where that memory has the
// buffer's size and pixel layout, the buffer is moved into it and contexts
// draw straight into what the display shows; otherwise the buffer is copied
// there for every presentation. Display thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/soft/window/window_client_buffer.h"

struct SDL_Window;
struct SDL_Surface;

namespace soft::display {

enum class Presented { Shown, NothingToShow, NoSurface, CopyFailed, UpdateFailed };

// Copies columns x rows of the buffer's pixels (4 bytes each, stride bytes a
// row) into the surface's own layout; false when it cannot.
using SurfaceCopy = bool (*)(const std::uint8_t* bits, int stride, int columns, int rows, SDL_Surface* surface);

// Whether SDL can describe the memory of a window of width x height at 4
// bytes a pixel: its sizes and row lengths are ints, which a window of
// 27000x27000 overflows.
bool SurfaceSizeFits(int width, int height);

// Shows the buffer's pixels in the window, copying them with `copy` when
// the buffer cannot live in the window's memory; nothing while the window
// is too large for SDL.
Presented PresentClientBuffer(SDL_Window* native, const std::shared_ptr<ClientBuffer>& buffer, SurfaceCopy copy);

// The window's memory is about to be freed (the window is destroyed, or the
// display closes): the buffer living in it draws nothing any more.
void ForgetWindowSurface(SDL_Window* native);
void ForgetAllWindowSurfaces();

}  // namespace soft::display
