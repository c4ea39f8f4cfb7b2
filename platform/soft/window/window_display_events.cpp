// What the desktop reports, turned into the windows' state and messages.
#include <SDL_syswm.h>

#include "platform/soft/window/window_display_state.h"
#include "platform/soft/window/window_display_x11.h"
#include "platform/soft/window/window_registry.h"

namespace soft::display {
namespace {

void PostInput(Uint32 native_id, UINT message, WPARAM wparam, LPARAM lparam) {
  if (Window* window = registry::FindByNativeId(native_id)) Post(*window, message, wparam, lparam);
}

// Letters and digits keep their codes as virtual keys; the rest is of no
// interest to anyone here.
WPARAM VirtualKey(SDL_Keycode key) {
  if (key >= 'a' && key <= 'z') return static_cast<WPARAM>(key - 'a' + 'A');
  if ((key >= '0' && key <= '9') || key == ' ') return static_cast<WPARAM>(key);
  if (key == SDLK_ESCAPE) return 0x1B;
  if (key == SDLK_RETURN) return 0x0D;
  return 0;
}

void HandleWindowEvent(const SDL_WindowEvent& event) {
  Window* window = registry::FindByNativeId(event.windowID);
  if (window == nullptr) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      Post(*window, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      window->Invalidate(nullptr, true);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // Somebody else chose this size: the size asked for at creation no
      // longer matters.
      if (event.data1 != window->requested_client.cx || event.data2 != window->requested_client.cy) {
        window->pending_outer.reset();
      }
      break;
    case SDL_WINDOWEVENT_MOVED:
      Sync(*window);
      Post(*window, WM_MOVE, 0, PackPoint(event.data1, event.data2));
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      SetMinimised(*window, true);
      break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
      SetMinimised(*window, false);
      break;
    default:
      break;
  }
}

// Another client destroyed the window on the desktop: for the program that
// is the window's end, the same as if it had been closed and destroyed.
void HandleDesktopEvent(const SDL_SysWMmsg* message) {
  const unsigned long gone = message != nullptr ? x11::DestroyedWindow(*message) : 0;
  if (gone == 0) return;
  for (Window* window : registry::WindowsOfThread(State().thread)) {
    if (x11::WindowOf(Native(*window)) == gone) DestroyWindow(window->Handle());
  }
}

}  // namespace

void Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_SYSWMEVENT:
      HandleDesktopEvent(event.syswm.msg);
      break;
    case SDL_MOUSEMOTION:
      PostInput(event.motion.windowID, WM_MOUSEMOVE, 0, PackPoint(event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) {
        PostInput(event.button.windowID,
                  event.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, 0,
                  PackPoint(event.button.x, event.button.y));
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      PostInput(event.key.windowID, event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP,
                VirtualKey(event.key.keysym.sym), 1);
      break;
    default:  // the desktop's quit request comes as the windows' close
      break;
  }
}

}  // namespace soft::display
