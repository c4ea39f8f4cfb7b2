#include "shell/screensaver_surfaces.h"

#include <memory>

#include "shell/animation.h"
#include "shell/main_window.h"
#include "shell/message_loop.h"
#include "shell/program.h"
#include "shell/thread.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr const char* kPreviewClass = "NosignalPreview";
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMilliseconds = 100;

// The preview window belongs to the settings; our child goes with it, and
// the timer notices should its going not reach us.
void FollowParent(HWND window) {
  const HWND parent = GetParent(window);
  if (!IsWindow(parent)) {
    DestroyWindow(window);
    return;
  }
  RECT wanted{}, now{};
  GetClientRect(parent, &wanted);
  GetClientRect(window, &now);
  if (wanted.right != now.right || wanted.bottom != now.bottom) {
    MoveWindow(window, 0, 0, wanted.right, wanted.bottom, TRUE);
  }
}

LRESULT CALLBACK PreviewProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kFollowTimer) FollowParent(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int RunPreview(HWND preview_window) {
  if (!RegisterScreensaverClass(kPreviewClass, PreviewProc)) return kFailure;
  RECT size{};
  GetClientRect(preview_window, &size);
  MainWindow = CreateWindowExA(0, kPreviewClass, MainWindowTitle, WS_CHILD | WS_VISIBLE, 0, 0, size.right,
                               size.bottom, preview_window, nullptr, GetModuleHandleA(nullptr), nullptr);
  // A preview window that went before we could draw in it ends the preview.
  if (MainWindow == nullptr) return IsWindow(preview_window) ? kFailure : kSuccess;
  SetTimer(MainWindow, kFollowTimer, kFollowMilliseconds, nullptr);
  const std::unique_ptr<TTimer> timer = StartThread<TTimer>();
  RunMessageLoop(MainWindow);
  EndAnimation(*timer, kSuccess);
  return kSuccess;
}
