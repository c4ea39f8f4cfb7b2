// The calling thread's last error and the system's texts for error codes.
#include <cstring>
#include <string_view>

#include "platform/soft/kernel/thread_state.h"
#include "platform/win32.h"

namespace {

struct ErrorText {
  DWORD code;
  std::string_view text;
};

// Each text ends in "\r\n", as the system's texts do.
constexpr ErrorText kErrorTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
    {ERROR_INVALID_FUNCTION, "Incorrect function.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "Not enough memory resources are available to process this command.\r\n"},
    {ERROR_OUTOFMEMORY, "Not enough memory resources are available to complete this operation.\r\n"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
    {ERROR_BUSY, "The requested resource is in use.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small.\r\n"},
    {ERROR_MOD_NOT_FOUND, "The specified module could not be found.\r\n"},
    {ERROR_INVALID_WINDOW_HANDLE, "Invalid window handle.\r\n"},
    {ERROR_CANNOT_FIND_WND_CLASS, "Cannot find window class.\r\n"},
    {ERROR_CLASS_ALREADY_EXISTS, "Class already exists.\r\n"},
    {ERROR_NO_SYSTEM_RESOURCES, "Insufficient system resources exist to complete the requested service.\r\n"},
};

const ErrorText* FindText(DWORD code) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == code) return &entry;
  }
  return nullptr;
}

}  // namespace

DWORD GetLastError() { return soft::ThisThread().last_error; }

void SetLastError(DWORD error) { soft::ThisThread().last_error = error; }

// Only texts of the system are known; inserts never occur in them, so the
// insert flags change nothing.
DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD message_id, DWORD, LPSTR buffer, DWORD size,
                     void*) {
  if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || buffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const ErrorText* entry = FindText(message_id);
  if (entry == nullptr) {
    SetLastError(ERROR_MR_MID_NOT_FOUND);
    return 0;
  }
  if (size <= entry->text.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, entry->text.data(), entry->text.size());
  buffer[entry->text.size()] = '\0';
  return static_cast<DWORD>(entry->text.size());
}
