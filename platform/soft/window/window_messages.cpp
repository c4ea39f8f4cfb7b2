// user32's message loop: taking, translating, dispatching and posting
// messages. Desktop events, presentation and other threads' paint requests
// are handled inside GetMessageA and never come out of it.
#include <chrono>

#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_object.h"
#include "platform/soft/window/window_queue.h"
#include "platform/soft/window/window_registry.h"

namespace {

constexpr BOOL kMessageError = -1;

DWORD Now() {
  using namespace std::chrono;
  return static_cast<DWORD>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool WantsPaints(UINT first, UINT last) {
  return (first == 0 && last == 0) || (WM_PAINT >= first && WM_PAINT <= last);
}

// Paint comes last, when nothing else is waiting, as on the platform.
bool TakePaint(MSG& message, HWND filter, UINT first, UINT last) {
  if (!WantsPaints(first, last)) return false;
  for (soft::Window* window : soft::registry::WindowsOfThread(GetCurrentThreadId())) {
    if (filter != nullptr && window->Handle() != filter) continue;
    if (!window->NeedsPaint()) continue;
    message = MSG{};
    message.hwnd = window->Handle();
    message.message = WM_PAINT;
    message.time = Now();
    return true;
  }
  return false;
}

}  // namespace

BOOL GetMessageA(LPMSG message, HWND window, UINT first, UINT last) {
  if (message == nullptr || (window != nullptr && !IsWindow(window))) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return kMessageError;
  }
  const auto queue = soft::MessageQueue::ForCurrentThread();
  const bool display_thread = soft::display::IsDisplayThread();
  for (;;) {
    if (display_thread) soft::display::DispatchPendingEvents();
    queue->HandleSentPaints();
    if (queue->TakePosted(*message, window, first, last)) return TRUE;
    if (queue->TakeQuit(*message)) return FALSE;
    if (TakePaint(*message, window, first, last)) return TRUE;
    queue->Wait();
  }
}

BOOL TranslateMessage(const MSG*) {
  // No character messages: nothing here reads text from the keyboard.
  return FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
  if (message == nullptr || message->hwnd == nullptr) return 0;
  soft::Window* window = soft::LookUpWindow(message->hwnd);
  if (window == nullptr || window->Destroyed() || !window->OnOwnerThread()) return 0;
  return window->Call(message->message, message->wParam, message->lParam);
}

BOOL PostMessageA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG msg{};
  msg.hwnd = handle;
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  msg.time = Now();
  if (handle == nullptr) {
    soft::MessageQueue::ForCurrentThread()->Post(msg);
    return TRUE;
  }
  soft::Window* window = soft::LiveWindow(handle);
  if (window == nullptr) return FALSE;
  window->Queue().Post(msg);
  return TRUE;
}

void PostQuitMessage(int exit_code) { soft::MessageQueue::ForCurrentThread()->PostQuit(exit_code); }
