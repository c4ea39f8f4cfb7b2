// The registered window classes and the windows that exist.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/soft/window/window_object.h"

namespace soft::registry {

// Zero when the class exists already or the description is unusable.
ATOM AddClass(const WNDCLASSA& description);
std::optional<WindowClass> FindClass(LPCSTR name);

void AddWindow(Window* window);
// The window leaves the table but its memory stays: another thread may have
// looked it up a moment before it was destroyed.
void RetireWindow(Window* window, std::shared_ptr<Object> object);
std::vector<Window*> WindowsOfThread(DWORD thread);
Window* FindByNativeId(unsigned native_id);

}  // namespace soft::registry
