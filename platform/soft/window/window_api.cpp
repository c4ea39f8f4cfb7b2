// user32's window management: classes, creation and destruction, showing,
// moving and the questions about a window's place.
#include <algorithm>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_object.h"
#include "platform/soft/window/window_queue.h"
#include "platform/soft/window/window_registry.h"

namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

// A window that exists and may be changed by the calling thread.
soft::Window* OwnWindow(HWND handle) {
  soft::Window* window = soft::LiveWindow(handle);
  if (window == nullptr) return nullptr;
  if (!window->OnOwnerThread()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return window;
}

RECT ClientRectOnScreen(const soft::Geometry& geometry) {
  if (!geometry.minimised) return geometry.client;
  const RECT outer = geometry.Outer();
  return RECT{outer.left, outer.top, outer.left, outer.top};
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* window_class) {
  if (window_class == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return soft::registry::AddClass(*window_class);
}

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
  const auto window_class = soft::registry::FindClass(class_name);
  if (!window_class) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  // Windows need the desktop, and all of them live on the thread that
  // opened it.
  if (!soft::display::Start(window_class->name)) {
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return nullptr;
  }
  if (!soft::display::IsDisplayThread()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  if (width == CW_USEDEFAULT) {
    width = kDefaultWidth;
    height = kDefaultHeight;
  }
  auto object = std::make_unique<soft::Window>(*window_class, title != nullptr ? title : "", style,
                                               ex_style, soft::MessageQueue::ForCurrentThread());
  soft::Window* window = object.get();
  const auto handle = static_cast<HWND>(soft::Insert(std::move(object)));
  if (handle == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  window->SetHandle(handle);
  if (!soft::display::CreateNative(*window, x, y, std::max(width, 1), std::max(height, 1))) {
    soft::Remove(handle);
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return nullptr;
  }
  soft::registry::AddWindow(window);
  if (window->Call(WM_CREATE, 0, 0) == -1) {
    DestroyWindow(handle);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if ((style & WS_VISIBLE) != 0) ShowWindow(handle, SW_SHOW);
  return handle;
}

BOOL DestroyWindow(HWND handle) {
  soft::Window* window = OwnWindow(handle);
  if (window == nullptr) return FALSE;
  if (!window->BeginDestroying()) return TRUE;  // already on its way out
  window->Call(WM_DESTROY, 0, 0);
  window->MarkDestroyed();
  soft::display::DestroyNative(*window);
  soft::registry::RetireWindow(window, soft::Remove(handle));
  return TRUE;
}

BOOL IsWindow(HWND handle) {
  const soft::Window* window = soft::LookUpWindow(handle);
  return window != nullptr && !window->Destroyed();
}

BOOL ShowWindow(HWND handle, int command) {
  soft::Window* window = OwnWindow(handle);
  if (window == nullptr) return FALSE;
  const bool was_visible = window->CurrentGeometry().visible;
  soft::display::Show(*window, command);
  return was_visible ? TRUE : FALSE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
  soft::Window* window = OwnWindow(handle);
  if (window == nullptr) return FALSE;
  soft::display::Move(*window, x, y, width, height);
  if (repaint) window->Invalidate(nullptr, true);
  return TRUE;
}

BOOL GetWindowInfo(HWND handle, WINDOWINFO* info) {
  const soft::Window* window = soft::LiveWindow(handle);
  if (window == nullptr || info == nullptr) return FALSE;
  const soft::Geometry geometry = window->CurrentGeometry();
  *info = WINDOWINFO{};
  info->cbSize = sizeof(WINDOWINFO);
  info->rcWindow = geometry.Outer();
  info->rcClient = ClientRectOnScreen(geometry);
  info->dwStyle = window->Style();
  info->dwExStyle = window->ExStyle();
  info->cxWindowBorders = static_cast<UINT>(geometry.frame.left);
  info->cyWindowBorders = static_cast<UINT>(geometry.frame.bottom);
  info->atomWindowType = window->Class().atom;
  info->wCreatorVersion = 0x0400;
  return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
  const soft::Window* window = soft::LiveWindow(handle);
  if (window == nullptr || rect == nullptr) return FALSE;
  const RECT client = ClientRectOnScreen(window->CurrentGeometry());
  *rect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
  return TRUE;
}
