// The registered window classes and the windows that exist.
#include "platform/soft/window/window_registry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

#include "platform/lowercase.h"

namespace soft::registry {
namespace {

// The classes and windows of the process. The mutex guards everything here;
// it is taken before the handle table's lock and a message queue's, never
// while holding one of those.
struct RegistryState {
  std::mutex mutex;
  std::map<std::string, WindowClass> classes;
  ATOM last_atom = MAXINTATOM;  // the atom last handed out; string atoms lie from MAXINTATOM up
  std::vector<Window*> windows;
  std::vector<std::shared_ptr<Object>> retired;  // destroyed windows, kept for late lookups
};

// Never destroyed: the animation thread may still look a window up while
// the process exits.
RegistryState& State() {
  static RegistryState* const state = new RegistryState;
  return *state;
}

// Class names compare without regard to case.
std::string Key(LPCSTR name) { return Lowercase(name); }

}  // namespace

ATOM AddClass(const WNDCLASSA& description) {
  if (description.lpszClassName == nullptr || description.lpszClassName[0] == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  const std::string key = Key(description.lpszClassName);
  if (state.classes.count(key) != 0) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  WindowClass window_class;
  window_class.name = description.lpszClassName;
  window_class.atom = ++state.last_atom;
  window_class.style = description.style;
  window_class.procedure = description.lpfnWndProc;
  window_class.instance = description.hInstance;
  window_class.icon = description.hIcon;
  window_class.cursor = description.hCursor;
  window_class.background = description.hbrBackground;
  state.classes.emplace(key, window_class);
  return window_class.atom;
}

std::optional<WindowClass> FindClass(LPCSTR name) {
  if (name == nullptr) return std::nullopt;
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  const auto found = state.classes.find(Key(name));
  if (found == state.classes.end()) return std::nullopt;
  return found->second;
}

void AddWindow(Window* window) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  state.windows.push_back(window);
}

void RetireWindow(Window* window, std::shared_ptr<Object> object) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  std::erase(state.windows, window);
  if (object != nullptr) state.retired.push_back(std::move(object));
}

std::vector<Window*> WindowsOfThread(DWORD thread) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  std::vector<Window*> result;
  for (Window* window : state.windows) {
    if (window->OwnerThread() == thread) result.push_back(window);
  }
  return result;
}

Window* FindByNativeId(unsigned native_id) {
  RegistryState& state = State();
  std::lock_guard lock(state.mutex);
  for (Window* window : state.windows) {
    if (window->native_id == native_id) return window;
  }
  return nullptr;
}

}  // namespace soft::registry
