#include "platform/soft/window_display.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/soft/text_codepage.h"
#include "platform/soft/window_object.h"
#include "platform/soft/window_queue.h"
#include "platform/soft/window_registry.h"
#include "platform/soft/window_surface.h"

namespace soft::display {
namespace {

constexpr DWORD kSizingBorder = 0x00040000;  // WS_THICKFRAME
constexpr DWORD kCaption = 0x00C00000;       // WS_CAPTION
constexpr WPARAM kSizeRestored = 0;
constexpr WPARAM kSizeMinimised = 1;
constexpr WPARAM kSizeMaximised = 2;

std::mutex start_mutex;
std::atomic<DWORD> display_thread{0};

// Other threads never call into SDL, not even to wake the display thread:
// they leave their requests here and signal an event counter that the
// display thread waits on together with the desktop's connection.
std::mutex request_mutex;
std::vector<HWND> present_requests;
int wake_fd = -1;
int desktop_fd = -1;  // the X connection; -1 where the desktop has none to offer
// The frame the window manager drew around the last window: the best guess
// for the next one until its own frame is known.
RECT frame_guess{};

SDL_Window* Native(const Window& window) { return static_cast<SDL_Window*>(window.native); }

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

void PostSize(Window& window) {
  const Geometry geometry = window.CurrentGeometry();
  const bool maximised = (SDL_GetWindowFlags(Native(window)) & SDL_WINDOW_MAXIMIZED) != 0;
  if (geometry.minimised) {
    Post(window, WM_SIZE, kSizeMinimised, 0);
    return;
  }
  Post(window, WM_SIZE, maximised ? kSizeMaximised : kSizeRestored,
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
    frame_guess = frame;
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
  for (Window* window : registry::WindowsOfThread(display_thread)) Sync(*window);
}

void SetMinimised(Window& window, bool minimised) {
  const Geometry geometry = window.CurrentGeometry();
  if (geometry.minimised == minimised) return;
  window.SetShowState(geometry.visible, minimised);
  PostSize(window);
}

void Present(HWND handle) {
  Window* window = LookUpWindow(handle);
  if (window == nullptr || window->Destroyed() || Native(*window) == nullptr) return;
  if (PresentClientBuffer(Native(*window), window->Buffer())) ++window->presentations;
}

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

void Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
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

void PresentRequested() {
  std::vector<HWND> requests;
  {
    std::lock_guard lock(request_mutex);
    requests.swap(present_requests);
  }
  for (HWND window : requests) Present(window);
}

bool HasPresentRequests() {
  std::lock_guard lock(request_mutex);
  return !present_requests.empty();
}

void WatchDesktopConnection(SDL_Window* native) {
  if (desktop_fd >= 0) return;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(native, &info) && info.subsystem == SDL_SYSWM_X11) {
    desktop_fd = ConnectionNumber(info.info.x11.display);
  }
}

void SetClassVariable(const char* name, const std::string& value, bool& set) {
  set = std::getenv(name) == nullptr;
  if (set) setenv(name, value.c_str(), 1);
}

}  // namespace

bool Start(const std::string& x11_class) {
  std::lock_guard lock(start_mutex);
  if (display_thread != 0) return true;
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
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
  if (!started) return false;
  wake_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  display_thread = GetCurrentThreadId();
  std::atexit([] {
    ForgetAllWindowSurfaces();
    SDL_Quit();
  });
  return true;
}

bool IsDisplayThread() { return IsDisplayThreadId(GetCurrentThreadId()); }

bool IsDisplayThreadId(DWORD thread) { return thread != 0 && thread == display_thread; }

bool CreateNative(Window& window, int x, int y, int width, int height) {
  const DWORD style = window.Style();
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if ((style & kSizingBorder) != 0) flags |= SDL_WINDOW_RESIZABLE;
  if ((style & kCaption) == 0) flags |= SDL_WINDOW_BORDERLESS;
  const RECT frame = (flags & SDL_WINDOW_BORDERLESS) != 0 ? RECT{} : frame_guess;
  const SIZE client = ClientSizeFor(width, height, frame);
  const int left = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : x + frame.left;
  const int top = x == CW_USEDEFAULT ? SDL_WINDOWPOS_UNDEFINED : y + frame.top;
  const std::string title = Cp1251ToUtf8(window.Title());
  SDL_Window* native = SDL_CreateWindow(title.c_str(), left, top, client.cx, client.cy, flags);
  if (native == nullptr) return false;
  window.native = native;
  window.native_id = SDL_GetWindowID(native);
  WatchDesktopConnection(native);
  window.requested_client = client;
  if ((flags & SDL_WINDOW_BORDERLESS) == 0) window.pending_outer = SIZE{width, height};
  Sync(window);
  return true;
}

void DestroyNative(Window& window) {
  ForgetWindowSurface(Native(window));
  if (Native(window) != nullptr) SDL_DestroyWindow(Native(window));
  window.native = nullptr;
  window.native_id = 0;
}

void Show(Window& window, int command) {
  SDL_Window* native = Native(window);
  const Geometry before = window.CurrentGeometry();
  constexpr int kForceMinimise = 11;
  switch (command) {
    case SW_HIDE:
      SDL_HideWindow(native);
      window.SetShowState(false, before.minimised);
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case kForceMinimise:
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
  // Whatever SDL has already read from the connection would not wake the
  // poll below.
  SDL_PumpEvents();
  if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) || HasPresentRequests()) return;
  pollfd watched[2] = {{wake_fd, POLLIN, 0}, {desktop_fd, POLLIN, 0}};
  const bool desktop = desktop_fd >= 0;
  // Without a connection to watch (another kind of desktop, the dummy
  // display of tests) the desktop is looked at every few milliseconds. With
  // one, the wait is bounded all the same: events the desktop library has
  // already read or holds back (focus changes come a moment late) leave the
  // connection quiet, and once the animation has stopped nothing else wakes
  // this thread.
  constexpr int kPollMilliseconds = 5;
  constexpr int kDesktopPollMilliseconds = 100;
  poll(watched, desktop ? 2 : 1, desktop ? kDesktopPollMilliseconds : kPollMilliseconds);
  std::uint64_t count;
  if ((watched[0].revents & POLLIN) != 0 && read(wake_fd, &count, sizeof count) < 0) count = 0;
}

void Wake() {
  if (wake_fd < 0) return;
  const std::uint64_t one = 1;
  if (write(wake_fd, &one, sizeof one) < 0) return;  // the counter is full: it is awake anyway
}

void RequestPresent(HWND window) {
  if (display_thread == 0) return;
  {
    std::lock_guard lock(request_mutex);
    if (std::find(present_requests.begin(), present_requests.end(), window) != present_requests.end()) return;
    present_requests.push_back(window);
  }
  if (!IsDisplayThread()) Wake();
}

}  // namespace soft::display
