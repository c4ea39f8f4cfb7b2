#include "platform/soft/window/window_registry.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <string>

namespace soft::registry {
namespace {

std::mutex mutex;
std::map<std::string, WindowClass> classes;
ATOM last_atom = 0xC000;  // where the platform's string atoms start
std::vector<Window*> windows;
std::vector<std::unique_ptr<Object>> retired;

// Class names compare without regard to case.
std::string Key(LPCSTR name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

}  // namespace

ATOM AddClass(const WNDCLASSA& description) {
  if (description.lpszClassName == nullptr || description.lpszClassName[0] == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard lock(mutex);
  const std::string key = Key(description.lpszClassName);
  if (classes.count(key) != 0) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  WindowClass window_class;
  window_class.name = description.lpszClassName;
  window_class.atom = ++last_atom;
  window_class.style = description.style;
  window_class.procedure = description.lpfnWndProc;
  window_class.instance = description.hInstance;
  window_class.icon = description.hIcon;
  window_class.cursor = description.hCursor;
  window_class.background = description.hbrBackground;
  classes.emplace(key, window_class);
  return window_class.atom;
}

std::optional<WindowClass> FindClass(LPCSTR name) {
  if (name == nullptr) return std::nullopt;
  std::lock_guard lock(mutex);
  const auto found = classes.find(Key(name));
  if (found == classes.end()) return std::nullopt;
  return found->second;
}

void AddWindow(Window* window) {
  std::lock_guard lock(mutex);
  windows.push_back(window);
}

void RetireWindow(Window* window, std::unique_ptr<Object> object) {
  std::lock_guard lock(mutex);
  windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
  if (object != nullptr) retired.push_back(std::move(object));
}

std::vector<Window*> WindowsOfThread(DWORD thread) {
  std::lock_guard lock(mutex);
  std::vector<Window*> result;
  for (Window* window : windows) {
    if (window->OwnerThread() == thread) result.push_back(window);
  }
  return result;
}

Window* FindByNativeId(unsigned native_id) {
  std::lock_guard lock(mutex);
  for (Window* window : windows) {
    if (window->native_id == native_id) return window;
  }
  return nullptr;
}

void PostToAll(UINT message) {
  std::lock_guard lock(mutex);
  for (Window* window : windows) PostMessageA(window->Handle(), message, 0, 0);
}

}  // namespace soft::registry
