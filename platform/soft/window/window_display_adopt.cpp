// A window of another X client as a window's place on the desktop: SDL
// draws into it but neither moves, maps nor destroys it.
#include <cstring>

#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_display_state.h"
#include "platform/soft/window/window_display_x11.h"
#include "platform/soft/window/window_surface.h"

namespace soft::display {
namespace {

bool OnX11() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

bool Refuse(DWORD error) {
  SetLastError(error);
  return false;
}

}  // namespace

bool AdoptNative(Window& window, unsigned long id) {
  if (!OnX11()) {
    Tell("only an X display has windows of other programs to draw into");
    return Refuse(ERROR_NO_SYSTEM_RESOURCES);
  }
  const unsigned long target = x11::ExistingWindow(id);
  if (target == 0) return Refuse(ERROR_INVALID_WINDOW_HANDLE);
  SDL_Window* native = SDL_CreateWindowFrom(reinterpret_cast<const void*>(target));
  if (native == nullptr) {
    Tell("cannot draw into the window 0x%lx: %s", target, SDL_GetError());
    return Refuse(ERROR_NO_SYSTEM_RESOURCES);
  }
  window.native = native;
  window.native_id = SDL_GetWindowID(native);
  window.foreign = true;
  x11::Adopt(native);
  if (!x11::WatchForeign(native)) {
    DestroyNative(window);
    return Refuse(ERROR_INVALID_WINDOW_HANDLE);
  }
  if (!PrepareSurface(window)) {
    DestroyNative(window);
    return Refuse(ERROR_NO_SYSTEM_RESOURCES);
  }
  DisplayState& state = State();
  if (state.desktop_fd < 0) state.desktop_fd = x11::ConnectionFd(native);
  SDL_GetWindowSize(native, &window.requested_client.cx, &window.requested_client.cy);
  Sync(window);
  return true;
}

}  // namespace soft::display
