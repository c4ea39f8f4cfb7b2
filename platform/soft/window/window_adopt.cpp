// Adopting a window of another X client as one of the program's windows.
#include "platform/soft/native_window.h"

#include <memory>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/window/window_display.h"
#include "platform/soft/window/window_object.h"
#include "platform/soft/window/window_queue.h"
#include "platform/soft/window/window_registry.h"

namespace soft {

HWND AdoptX11Window(const char* class_name, unsigned long id) {
  const auto window_class = registry::FindClass(class_name);
  if (!window_class) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (!display::Start(window_class->name)) {
    SetLastError(ERROR_NO_SYSTEM_RESOURCES);
    return nullptr;
  }
  if (!display::IsDisplayThread()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  // No caption and no sizing frame: the outer size is the X window's size.
  auto object = std::make_unique<Window>(*window_class, "", 0, 0, MessageQueue::ForCurrentThread());
  Window* window = object.get();
  const auto handle = static_cast<HWND>(Insert(std::move(object)));
  if (handle == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  window->SetHandle(handle);
  if (!display::AdoptNative(*window, id)) {
    const DWORD error = GetLastError();
    Remove(handle);
    SetLastError(error);
    return nullptr;
  }
  registry::AddWindow(window);
  if (window->Call(WM_CREATE, 0, 0) == -1) {
    DestroyWindow(handle);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return handle;
}

}  // namespace soft
