// The platform's standard icons and cursors. The desktop draws its own, so a
// handle only has to name one.
#include <cstdint>

#include "platform/win32.h"

namespace {

constexpr std::uintptr_t kFirstStandard = 32512;
constexpr std::uintptr_t kLastStandard = 32651;

// Standard resources are asked for by number, with no module.
void* Standard(HINSTANCE instance, LPCSTR name) {
  const auto number = reinterpret_cast<std::uintptr_t>(name);
  if (instance != nullptr || number < kFirstStandard || number > kLastStandard) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<void*>(number);
}

}  // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HICON>(Standard(instance, name));
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HCURSOR>(Standard(instance, name));
}
