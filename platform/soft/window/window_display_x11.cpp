#include "platform/soft/window/window_display_x11.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/soft/window/window_display_state.h"

namespace soft::display::x11 {
namespace {

constexpr int kDesktopFailure = 1;
// The core request that makes a drawing context (X_CreateGC of
// <X11/Xproto.h>, whose own types clash with ours).
constexpr unsigned char kCreateContextRequest = 55;

bool Holds(const std::vector<unsigned long>& windows, XID id) {
  return std::find(windows.begin(), windows.end(), id) != windows.end();
}

// X error handlers take no context: they find the process's windows in
// the display's state.
bool IsOwnWindow(XID id) { return Holds(State().own_x_windows, id); }
bool IsGone(XID id) { return Holds(State().gone_x_windows, id); }

// Nothing of the desktop can be used any more, and shutting SDL down would
// talk over the dead connection (it spins there): leave at once.
int ConnectionLost(Display* display) {
  Tell("the connection to the display \"%s\" was lost", DisplayString(display));
  _exit(kDesktopFailure);
}

// A window that another client destroyed answers every later request about
// it (and about the drawables SDL made for it) with an error until its
// destruction is reported; those errors are expected, and the report ends
// the window. A window resized just before it went gets a new drawing
// context from SDL, which the server then refuses to make; every later use
// of that context, its release included, is refused too. Any other error is
// a fault that leaves the connection unusable for us.
int ErrorReceived(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) {
    if (error->request_code == kCreateContextRequest && IsOwnWindow(error->resourceid)) {
      State().unmade_contexts = true;
    }
    return 0;
  }
  if (error->error_code == BadMatch && IsOwnWindow(error->resourceid)) return 0;
  if (error->error_code == BadGC && State().unmade_contexts) return 0;
  char text[256] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  Tell("the display \"%s\" refused a request: %s (request %d.%d)", DisplayString(display), text,
       error->request_code, error->minor_code);
  _exit(kDesktopFailure);
}

bool DrawsColours(const Visual* visual) {
  return visual->c_class == TrueColor || visual->c_class == DirectColor;
}

// A true-colour visual of 8 bits a colour, 0 if the screen has none.
VisualID EightBitColourVisual(Display* display) {
  XVisualInfo wanted{};
  wanted.screen = DefaultScreen(display);
  wanted.c_class = TrueColor;
  wanted.red_mask = 0xFF0000;
  wanted.green_mask = 0x00FF00;
  wanted.blue_mask = 0x0000FF;
  const long mask = VisualScreenMask | VisualClassMask | VisualRedMaskMask | VisualGreenMaskMask | VisualBlueMaskMask;
  int count = 0;
  XVisualInfo* found = XGetVisualInfo(display, mask, &wanted, &count);
  const VisualID id = count > 0 ? found[0].visualid : 0;
  if (found != nullptr) XFree(found);
  return id;
}

bool WindowInfo(SDL_Window* native, SDL_SysWMinfo& info) {
  SDL_VERSION(&info.version);
  return native != nullptr && SDL_GetWindowWMInfo(native, &info) == SDL_TRUE &&
         info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

bool PrepareDesktop() {
  XSetIOErrorHandler(ConnectionLost);
  XSetErrorHandler(ErrorReceived);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return true;
  Visual* visual = DefaultVisual(display, DefaultScreen(display));
  const int depth = DefaultDepth(display, DefaultScreen(display));
  const bool direct = depth == 8 || depth == 15 || depth == 16 || depth == 24;
  // On a screen of colour-map indices SDL picks a visual it then cannot
  // make a surface for; the screen's own one it can. On a screen of 10 bits
  // a colour, a visual of 8 bits a colour keeps the window's own surface.
  VisualID chosen = 0;
  if (!DrawsColours(visual)) chosen = XVisualIDFromVisual(visual);
  if (!direct) chosen = EightBitColourVisual(display);
  if (chosen != 0) SDL_SetHint("SDL_VIDEO_X11_WINDOW_VISUALID", std::to_string(chosen).c_str());
  XCloseDisplay(display);
  return direct || chosen != 0;
}

bool CanConnect(const char* display_name) {
  Display* display = XOpenDisplay(display_name);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

unsigned long ExistingWindow(unsigned long id) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0;
  const ::Window wanted = id != 0 ? id : DefaultRootWindow(display);
  XWindowAttributes attributes{};
  // A window that does not exist is refused with BadWindow, which the
  // process's error handler lets pass.
  const bool exists = XGetWindowAttributes(display, wanted, &attributes) != 0;
  XCloseDisplay(display);
  return exists ? wanted : 0;
}

bool WatchForeign(SDL_Window* native) {
  SDL_SysWMinfo info;
  if (!WindowInfo(native, info)) return false;
  Display* display = info.info.x11.display;
  const ::Window window = info.info.x11.window;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, window, &attributes) == 0) return false;
  XSelectInput(display, window, attributes.your_event_mask | StructureNotifyMask | ExposureMask);
  // Gone before the selection took: no end would ever be reported.
  return XGetWindowAttributes(display, window, &attributes) != 0;
}

unsigned long WindowOf(SDL_Window* native) {
  SDL_SysWMinfo info;
  return WindowInfo(native, info) ? info.info.x11.window : 0;
}

int ConnectionFd(SDL_Window* native) {
  SDL_SysWMinfo info;
  return WindowInfo(native, info) ? ConnectionNumber(info.info.x11.display) : -1;
}

void Adopt(SDL_Window* native) {
  if (const XID id = WindowOf(native); id != 0 && !IsOwnWindow(id)) State().own_x_windows.push_back(id);
}

void Destroy(SDL_Window* native) {
  SDL_SysWMinfo info;
  if (!WindowInfo(native, info) || !IsGone(info.info.x11.window)) return SDL_DestroyWindow(native);
  // SDL hides a window before destroying it and waits for the server to
  // report it unmapped, which for a window already gone it never will.
  Display* display = info.info.x11.display;
  XEvent unmapped{};
  unmapped.xunmap.type = UnmapNotify;
  unmapped.xunmap.display = display;
  unmapped.xunmap.event = info.info.x11.window;
  unmapped.xunmap.window = info.info.x11.window;
  XPutBackEvent(display, &unmapped);
  SDL_DestroyWindow(native);
  XSync(display, False);
}

unsigned long DestroyedWindow(const SDL_SysWMmsg& message) {
  if (message.subsystem != SDL_SYSWM_X11 || message.msg.x11.event.type != DestroyNotify) return 0;
  const XID window = message.msg.x11.event.xdestroywindow.window;
  if (IsOwnWindow(window) && !IsGone(window)) State().gone_x_windows.push_back(window);
  return window;
}

bool AllocateGreys(SDL_Window* native, std::array<std::uint8_t, 256>& pixels) {
  SDL_SysWMinfo info;
  if (!WindowInfo(native, info)) return false;
  Display* display = info.info.x11.display;
  // The default map is the one on the screen whether or not a window
  // manager installs the window's own; a few dozen greys leave room for
  // everybody else.
  const Colormap colormap = DefaultColormap(display, DefaultScreen(display));
  XSetWindowColormap(display, info.info.x11.window, colormap);
  constexpr int kLevels = 64;
  std::vector<std::pair<int, std::uint8_t>> allocated;
  for (int level = 0; level < kLevels; ++level) {
    XColor colour{};
    const int grey = level * 255 / (kLevels - 1);
    colour.red = colour.green = colour.blue = static_cast<unsigned short>(grey * 257);
    colour.flags = DoRed | DoGreen | DoBlue;
    if (XAllocColor(display, colormap, &colour) != 0) {
      allocated.emplace_back(colour.green / 257, static_cast<std::uint8_t>(colour.pixel));
    }
  }
  if (allocated.empty()) return false;
  for (int grey = 0; grey < 256; ++grey) {
    const auto nearest = std::min_element(allocated.begin(), allocated.end(), [&](auto a, auto b) {
      return std::abs(a.first - grey) < std::abs(b.first - grey);
    });
    pixels[static_cast<std::size_t>(grey)] = nearest->second;
  }
  return true;
}

}  // namespace soft::display::x11
