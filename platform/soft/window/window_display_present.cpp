// Presentation: what the windows' contexts drew, put on the desktop by the
// display thread when any thread asks.
#include <algorithm>

#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_display_state.h"
#include "platform/soft/window/window_display_x11.h"
#include "platform/soft/window/window_surface.h"

namespace soft::display {
namespace {

// A screen of colour-map indices shows the picture in greys, which is all
// the static needs.
bool CopyAsGreys(const std::uint8_t* bits, int stride, int columns, int rows,
                 const SDL_Surface* surface) {
  const DisplayState& state = State();
  if (!state.greys_allocated || surface->format->BytesPerPixel != 1) return false;
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* source = bits + static_cast<std::ptrdiff_t>(y) * stride;
    auto* target = static_cast<std::uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    for (int x = 0; x < columns; ++x, source += 4) {
      const int grey = (source[2] * 77 + source[1] * 150 + source[0] * 29) >> 8;
      target[x] = state.grey_pixels[static_cast<std::size_t>(grey)];
    }
  }
  return true;
}

bool CopyToSurface(const std::uint8_t* bits, int stride, int columns, int rows, SDL_Surface* surface) {
  if (SDL_ISPIXELFORMAT_INDEXED(surface->format->format)) {
    return CopyAsGreys(bits, stride, columns, rows, surface);
  }
  return SDL_ConvertPixels(columns, rows, SDL_PIXELFORMAT_RGB888, bits, stride,
                           surface->format->format, surface->pixels, surface->pitch) == 0;
}

void TellPresentFailure() {
  DisplayState& state = State();
  if (state.present_failure_told) return;
  state.present_failure_told = true;
  Tell("cannot show the picture on the display: %s", SDL_GetError());
}

void Present(HWND handle) {
  Window* window = LookUpWindow(handle);
  if (window == nullptr || window->Destroyed() || Native(*window) == nullptr) return;
  const Presented result = PresentClientBuffer(Native(*window), window->Buffer(), CopyToSurface);
  if (result == Presented::NoSurface || result == Presented::CopyFailed) TellPresentFailure();
}

}  // namespace

// Called as the window is made, before any client buffer lives in its memory.
bool PrepareSurface(Window& window) {
  SDL_Window* native = Native(window);
  const SDL_Surface* surface = SDL_GetWindowSurface(native);
  if (surface == nullptr) {
    Tell("the display cannot show a window's picture: %s", SDL_GetError());
    return false;
  }
  DisplayState& state = State();
  if (SDL_ISPIXELFORMAT_INDEXED(surface->format->format)) {
    state.greys_allocated = x11::AllocateGreys(native, state.grey_pixels);
    if (!state.greys_allocated) {
      Tell("the display has no colours left for the picture's greys");
      return false;
    }
  }
  return true;
}

void PresentRequested() {
  DisplayState& state = State();
  std::vector<HWND> requests;
  {
    std::lock_guard lock(state.request_mutex);
    requests.swap(state.present_requests);
  }
  for (HWND window : requests) Present(window);
}

bool HasPresentRequests() {
  DisplayState& state = State();
  std::lock_guard lock(state.request_mutex);
  return !state.present_requests.empty();
}

void RequestPresent(HWND window) {
  DisplayState& state = State();
  if (state.thread == 0) return;
  {
    std::lock_guard lock(state.request_mutex);
    auto& requests = state.present_requests;
    if (std::find(requests.begin(), requests.end(), window) != requests.end()) return;
    requests.push_back(window);
  }
  if (!IsDisplayThread()) Wake();
}

}  // namespace soft::display
