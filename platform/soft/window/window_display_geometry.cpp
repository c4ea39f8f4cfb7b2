// Where the windows are on the desktop: making them, showing, moving and
// sizing them, and reading back where the desktop put them.
#include <algorithm>

#include "platform/soft/text/text_codepage.h"
#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_display_state.h"
#include "platform/soft/window/window_display_x11.h"
#include "platform/soft/window/window_registry.h"
#include "platform/soft/window/window_surface.h"

namespace soft::display {
namespace {

void PostSize(Window& window) {
  const Geometry geometry = window.CurrentGeometry();
  const bool maximised = (SDL_GetWindowFlags(Native(window)) & SDL_WINDOW_MAXIMIZED) != 0;
  if (geometry.minimised) {
    Post(window, WM_SIZE, SIZE_MINIMIZED, 0);
    return;
  }
  Post(window, WM_SIZE, maximised ? SIZE_MAXIMIZED : SIZE_RESTORED,
       PackPoint(geometry.ClientWidth(), geometry.ClientHeight()));
}

RECT Frame(SDL_Window* native) {
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(native, &top, &left, &bottom, &right) != 0) return RECT{};
  return RECT{left, top, right, bottom};
}

bool Known(const RECT& frame) {
  return frame.left != 0 || frame.top != 0 || frame.right != 0 || frame.bottom != 0;
}

SIZE ClientSizeFor(int outer_width, int outer_height, const RECT& frame) {
  return SIZE{std::max<LONG>(1, outer_width - frame.left - frame.right),
              std::max<LONG>(1, outer_height - frame.top - frame.bottom)};
}

void WatchDesktopConnection(SDL_Window* native) {
  DisplayState& state = State();
  if (state.desktop_fd < 0) state.desktop_fd = x11::ConnectionFd(native);
}

}  // namespace

// Reads where the desktop has put the window. The outer size asked for at
// creation is honoured as soon as the window manager tells how large its
// frame is, which it does only after the window is on the screen.
void Sync(Window& window) {
  SDL_Window* native = Native(window);
  if (native == nullptr) return;
  const RECT frame = Frame(native);
  int x = 0, y = 0, width = 0, height = 0;
  SDL_GetWindowPosition(native, &x, &y);
  SDL_GetWindowSize(native, &width, &height);
  if (window.pending_outer && Known(frame)) {
    State().frame_guess = frame;
    const SIZE wanted = ClientSizeFor(window.pending_outer->cx, window.pending_outer->cy, frame);
    window.pending_outer.reset();
    if (wanted.cx != width || wanted.cy != height) {
      window.requested_client = wanted;
      SDL_SetWindowSize(native, wanted.cx, wanted.cy);
      SDL_GetWindowSize(native, &width, &height);
    }
  }
  Geometry geometry;
  geometry.client = RECT{x, y, x + width, y + height};
  geometry.frame = frame;
  if (window.SetGeometry(geometry)) PostSize(window);
}

void SyncAll() {
  for (Window* window : registry::WindowsOfThread(State().thread)) Sync(*window);
}

void SetMinimised(Window& window, bool minimised) {
  const Geometry geometry = window.CurrentGeometry();
  if (geometry.minimised == minimised) return;
  window.SetShowState(geometry.visible, minimised);
  PostSize(window);
}

bool CreateNative(Window& window, int x, int y, int width, int height) {
  const DWORD style = window.Style();
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if ((style & WS_THICKFRAME) != 0) flags |= SDL_WINDOW_RESIZABLE;
  if ((style & WS_CAPTION) == 0) flags |= SDL_WINDOW_BORDERLESS;
  const RECT frame = (flags & SDL_WINDOW_BORDERLESS) != 0 ? RECT{} : State().frame_guess;
  const SIZE client = ClientSizeFor(width, height, frame);
  const int left = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : x + frame.left;
  const int top = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : y + frame.top;
  const std::string title = Cp1251ToUtf8(window.Title());
  SDL_Window* native = SDL_CreateWindow(title.c_str(), left, top, client.cx, client.cy, flags);
  if (native == nullptr) {
    Tell("cannot create a window on the display: %s", SDL_GetError());
    return false;
  }
  window.native = native;
  window.native_id = SDL_GetWindowID(native);
  x11::Adopt(native);
  if (!PrepareSurface(window)) {
    DestroyNative(window);
    return false;
  }
  WatchDesktopConnection(native);
  window.requested_client = client;
  if ((flags & SDL_WINDOW_BORDERLESS) == 0) window.pending_outer = SIZE{width, height};
  Sync(window);
  return true;
}

void DestroyNative(Window& window) {
  ForgetWindowSurface(Native(window));
  if (Native(window) != nullptr) x11::Destroy(Native(window));
  window.native = nullptr;
  window.native_id = 0;
}

void Show(Window& window, int command) {
  SDL_Window* native = Native(window);
  const Geometry before = window.CurrentGeometry();
  if (window.foreign) {
    // Shown or hidden by its owner: the program only starts or stops drawing.
    window.SetShowState(command != SW_HIDE, false);
    return Sync(window);
  }
  switch (command) {
    case SW_HIDE:
      SDL_HideWindow(native);
      window.SetShowState(false, before.minimised);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      SDL_ShowWindow(native);
      SDL_MinimizeWindow(native);
      window.SetShowState(true, true);
      break;
    case SW_SHOWMAXIMIZED:
      SDL_ShowWindow(native);
      SDL_MaximizeWindow(native);
      window.SetShowState(true, false);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      SDL_ShowWindow(native);
      if (before.minimised) SDL_RestoreWindow(native);
      window.SetShowState(true, false);
      break;
    default:
      SDL_ShowWindow(native);
      window.SetShowState(true, before.minimised);
      break;
  }
  Sync(window);
  if (window.CurrentGeometry().minimised != before.minimised) PostSize(window);
}

void Move(Window& window, int x, int y, int width, int height) {
  SDL_Window* native = Native(window);
  if (window.foreign) return Sync(window);  // its owner places it
  const RECT frame = window.CurrentGeometry().frame;
  const SIZE client = ClientSizeFor(width, height, frame);
  window.requested_client = client;
  // Until the window manager tells its frame, the size is only provisional.
  if (Known(frame) || (SDL_GetWindowFlags(native) & SDL_WINDOW_BORDERLESS) != 0) {
    window.pending_outer.reset();
  } else {
    window.pending_outer = SIZE{width, height};
  }
  SDL_SetWindowPosition(native, x + frame.left, y + frame.top);
  SDL_SetWindowSize(native, client.cx, client.cy);
  Sync(window);
}

}  // namespace soft::display
