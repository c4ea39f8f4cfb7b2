// The platform's standard icons and cursors. The desktop draws its own, so a
// handle only has to name one.
#include <cstdint>

#include "platform/win32.h"

namespace {

// The standard resources run from IDC_ARROW (the same number as
// IDI_APPLICATION) to IDC_HELP.
const auto kFirstStandard = reinterpret_cast<std::uintptr_t>(IDC_ARROW);
const auto kLastStandard = reinterpret_cast<std::uintptr_t>(IDC_HELP);

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
