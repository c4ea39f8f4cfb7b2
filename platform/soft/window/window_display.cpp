// The connection to the desktop and its event pump: opening it, waiting on
// it together with the other threads' requests, and taking what it reports.
#include "platform/soft/window/window_display.h"

#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/soft/window/window_display_state.h"
#include "platform/soft/window/window_display_x11.h"
#include "platform/soft/window/window_queue.h"
#include "platform/soft/window/window_surface.h"

namespace soft::display {
namespace {

void SetClassVariable(const char* name, const std::string& value, bool& set) {
  set = std::getenv(name) == nullptr;
  if (set) setenv(name, value.c_str(), 1);
}

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

// Says which desktop could not be opened, and why.
void TellOpenFailure() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!IsSet(x11) && !IsSet(wayland)) {
    Tell("no display to open: neither DISPLAY nor WAYLAND_DISPLAY is set");
  } else if (IsSet(x11) && !x11::CanConnect(x11)) {
    Tell("cannot open the X display \"%s\": no X server accepts a connection there", x11);
  } else {
    Tell("cannot open the display \"%s\": %s", IsSet(x11) ? x11 : wayland, SDL_GetError());
  }
}

bool OpenDesktop(const std::string& x11_class) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Real desktops only, unless the user names a driver himself.
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11,wayland", SDL_HINT_DEFAULT);
  // The desktop reads the window class once, when it opens; the first
  // window's class names all of them.
  bool x11_set = false;
  bool wayland_set = false;
  SetClassVariable("SDL_VIDEO_X11_WMCLASS", x11_class, x11_set);
  SetClassVariable("SDL_VIDEO_WAYLAND_WMCLASS", x11_class, wayland_set);
  const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (x11_set) unsetenv("SDL_VIDEO_X11_WMCLASS");
  if (wayland_set) unsetenv("SDL_VIDEO_WAYLAND_WMCLASS");
  if (!started) {
    TellOpenFailure();
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  // X gives a window a surface of its own, without a texture's copy of
  // every pixel, on the screens SDL knows how to draw into directly. Other
  // desktops (Wayland) and other screens give one only through a texture.
  if (driver != nullptr && std::strcmp(driver, "x11") == 0 && x11::PrepareDesktop()) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
  return true;
}

}  // namespace

DisplayState& State() {
  static DisplayState state;
  return state;
}

void Tell(const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, text);
  std::fflush(stderr);
}

LPARAM PackPoint(int x, int y) {
  return static_cast<LPARAM>((static_cast<DWORD>(y & 0xFFFF) << 16) | static_cast<DWORD>(x & 0xFFFF));
}

void Post(Window& window, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG msg{};
  msg.hwnd = window.Handle();
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  msg.time = SDL_GetTicks();
  window.Queue().Post(msg);
}

bool Start(const std::string& x11_class) {
  DisplayState& state = State();
  std::lock_guard lock(state.start_mutex);
  if (state.thread != 0) return true;
  if (!OpenDesktop(x11_class)) return false;
  state.wake_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  state.thread = GetCurrentThreadId();
  std::atexit([] {
    ForgetAllWindowSurfaces();
    SDL_Quit();
  });
  return true;
}

bool IsDisplayThread() { return IsDisplayThreadId(GetCurrentThreadId()); }

bool IsDisplayThreadId(DWORD thread) { return thread != 0 && thread == State().thread; }

// The frame's size comes as a property change that SDL reports with no
// event of its own; looking after every batch of events catches it.
void DispatchPendingEvents() {
  PresentRequested();
  SDL_Event event;
  bool any = false;
  while (SDL_PollEvent(&event) != 0) {
    Handle(event);
    any = true;
  }
  if (any) SyncAll();
}

void WaitForEvents() {
  DisplayState& state = State();
  // Whatever SDL has already read from the connection would not wake the
  // poll below.
  SDL_PumpEvents();
  if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) || HasPresentRequests()) return;
  pollfd watched[2] = {{state.wake_fd, POLLIN, 0}, {state.desktop_fd, POLLIN, 0}};
  const bool desktop = state.desktop_fd >= 0;
  // Without a connection to watch (another kind of desktop, the dummy
  // display of tests) the desktop is looked at every few milliseconds. With
  // one, the wait is bounded all the same: events the desktop library has
  // already read or holds back (focus changes come a moment late) leave the
  // connection quiet, and once the animation has stopped nothing else wakes
  // this thread. A connection that ends wakes it too, and the next look at
  // the desktop finds out.
  constexpr int kPollMilliseconds = 5;
  constexpr int kDesktopPollMilliseconds = 100;
  poll(watched, desktop ? 2 : 1, desktop ? kDesktopPollMilliseconds : kPollMilliseconds);
  std::uint64_t count;
  if ((watched[0].revents & POLLIN) != 0 && read(state.wake_fd, &count, sizeof count) < 0) count = 0;
}

void Wake() {
  const int wake_fd = State().wake_fd;
  if (wake_fd < 0) return;
  const std::uint64_t one = 1;
  if (write(wake_fd, &one, sizeof one) < 0) return;  // the counter is full: it is awake anyway
}

}  // namespace soft::display
