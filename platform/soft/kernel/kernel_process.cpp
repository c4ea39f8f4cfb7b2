// The process as kernel32 describes it: its module handle, its executable's
// path, the start-up information its starter left, and its end.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32.h"

namespace {

// The executable is the only module; its handle is the customary image base.
const HMODULE kExecutable = reinterpret_cast<HMODULE>(std::uintptr_t{0x400000});

std::string ExecutablePath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

std::string BaseName(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
  if (name == nullptr || BaseName(ExecutablePath()) == name) return kExecutable;
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size) {
  if (module != nullptr && module != kExecutable) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (buffer == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string path = ExecutablePath();
  if (path.size() >= size) {
    // Truncated and still terminated, as the platform does it.
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

void GetStartupInfoA(STARTUPINFOA* info) {
  if (info == nullptr) return;
  *info = STARTUPINFOA{};
  // Nobody on Linux passes a show command to a starting program.
  info->cb = sizeof(STARTUPINFOA);
}

// Ends every thread at once, without the C runtime's exit handlers or
// static destructors, which other threads may still be using.
void ExitProcess(UINT exit_code) {
  std::fflush(nullptr);
  _exit(static_cast<int>(exit_code));
}
