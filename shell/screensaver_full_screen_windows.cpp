#include "shell/screensaver_surfaces.h"

#include <memory>
#include <vector>

#include "shell/animation.h"
#include "shell/main_window.h"
#include "shell/message_loop.h"
#include "shell/pointer_watch.h"
#include "shell/program.h"
#include "shell/thread.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr const char* kFullScreenClass = "NosignalScreensaver";

// Moves seen by the full-screen windows; the main thread's alone.
PointerWatch& Pointer() {
  static PointerWatch watch;
  return watch;
}

bool IsUserInput(HWND window, UINT message, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: case WM_XBUTTONDOWN: case WM_MOUSEWHEEL:
      return true;
    case WM_MOUSEMOVE: {
      // Each window reports its own client coordinates: compare on the screen.
      POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
      ClientToScreen(window, &at);
      return Pointer().MovedAway(at.x, at.y);
    }
    default:
      return false;
  }
}

LRESULT CALLBACK FullScreenProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsUserInput(window, message, lparam)) {
    PostQuitMessage(0);
    return 0;
  }
  switch (message) {
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_SYSCOMMAND:  // running already: no second start
      if ((wparam & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_DESTROY:
      if (window == MainWindow) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// The animation on the first window; the others get a copy of each frame,
// stretched to their size, so that every monitor shows a whole picture.
class TMirroringTimer : public TTimer {
 public:
  explicit TMirroringTimer(std::vector<HWND> copies) : copies_(std::move(copies)) {}

 protected:
  void Execute() override {
    while (!Terminated()) {
      AnimationTick();
      CopyFrame();
    }
  }

 private:
  void CopyFrame() const {
    RECT source_size{};
    if (copies_.empty() || !GetClientRect(MainWindow, &source_size)) return;
    const HDC source = GetDC(MainWindow);
    if (source == nullptr) return;
    for (const HWND copy : copies_) {
      RECT size{};
      const HDC target = GetClientRect(copy, &size) ? GetDC(copy) : nullptr;
      if (target == nullptr) continue;
      SetStretchBltMode(target, COLORONCOLOR);
      StretchBlt(target, 0, 0, size.right, size.bottom, source, 0, 0, source_size.right, source_size.bottom, SRCCOPY);
      ReleaseDC(copy, target);
    }
    ReleaseDC(MainWindow, source);
  }

  std::vector<HWND> copies_;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

HWND CreateFullScreenWindow(const RECT& rect) {
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kFullScreenClass, MainWindowTitle, WS_POPUP,
                         rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

void DestroyWindows(const std::vector<HWND>& windows) {
  for (const HWND window : windows) {
    if (IsWindow(window)) DestroyWindow(window);
  }
}

}  // namespace

std::vector<SaverWindowPlace> MonitorPlaces() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  std::vector<SaverWindowPlace> places = PlaceSaverWindows(monitors);
  if (places.empty()) places.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, true});
  return places;
}

int RunFullScreen(const std::vector<SaverWindowPlace>& places) {
  if (!RegisterScreensaverClass(kFullScreenClass, FullScreenProc)) return kFailure;
  std::vector<HWND> copies;
  for (const SaverWindowPlace& place : places) {
    const HWND window = CreateFullScreenWindow(place.rect);
    if (window == nullptr) {
      DestroyWindows(copies);
      if (MainWindow != nullptr) DestroyWindow(MainWindow);
      return kFailure;
    }
    (place.animated ? MainWindow : copies.emplace_back()) = window;
  }
  const std::unique_ptr<TMirroringTimer> timer = StartThread<TMirroringTimer>(copies);
  for (const HWND copy : copies) ShowWindow(copy, SW_SHOW);
  ShowWindow(MainWindow, SW_SHOW);
  SetForegroundWindow(MainWindow);
  SetFocus(MainWindow);
  ShowCursor(FALSE);
  RunMessageLoop(MainWindow);
  EndAnimation(*timer, kSuccess);  // the copies are drawn into until here
  DestroyWindows(copies);
  return kSuccess;
}

