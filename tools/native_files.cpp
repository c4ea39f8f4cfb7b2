#include "tools/native_files.h"

#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <cwctype>

#include "platform/win32.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#if defined(_WIN32)

namespace {

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

// "Path not found" on a drive that does not exist says which part is missing.
std::error_code LastErrorAt(const std::filesystem::path& path) {
  std::error_code error = LastError();
  std::error_code ignored;
  const bool not_found = error.value() == ERROR_PATH_NOT_FOUND || error.value() == ERROR_FILE_NOT_FOUND;
  if (not_found && path.has_root_name() &&
      !std::filesystem::exists(path.root_path(), ignored)) {
    error.assign(ERROR_INVALID_DRIVE, std::system_category());
  }
  return error;
}

// CON, NUL, COM1 and the like name a device in every folder, whatever their
// extension.
bool IsDeviceName(const std::filesystem::path& path) {
  std::wstring stem = path.filename().native();
  stem = stem.substr(0, stem.find(L'.'));
  for (wchar_t& c : stem) c = static_cast<wchar_t>(towupper(c));
  for (const wchar_t* name : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
    if (stem == name) return true;
  }
  return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
         stem[3] <= L'9';
}

NativeOpen Adopt(HANDLE handle) {
  NativeOpen result;
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
  if (descriptor == -1) {
    result.error = std::error_code(errno, std::generic_category());
    CloseHandle(handle);
    return result;
  }
  result.file = _fdopen(descriptor, "wb");
  if (result.file == nullptr) {
    result.error = std::error_code(errno, std::generic_category());
    _close(descriptor);
  }
  return result;
}

}  // namespace

NativeOpen CreateExclusive(const std::filesystem::path& path) {
  // Delete sharing lets an interrupt remove the file while it is still open;
  // CREATE_NEW never opens what is there, a link included.
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    NativeOpen failed;
    failed.error = LastErrorAt(path);
    failed.name_taken = failed.error.value() == ERROR_FILE_EXISTS || failed.error.value() == ERROR_ALREADY_EXISTS;
    return failed;
  }
  return Adopt(handle);
}

NativeOpen OpenDeviceOrPipe(const std::filesystem::path& path) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    // A device name that cannot be opened: no file of that name can be made either.
    NativeOpen failed;
    if (IsDeviceName(path)) failed.error.assign(ERROR_BAD_DEVICE, std::system_category());
    return failed;
  }
  if (GetFileType(handle) == FILE_TYPE_DISK) {
    CloseHandle(handle);
    return {};
  }
  return Adopt(handle);
}

std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return {};
  return LastError();
}

std::error_code CheckReplaceable(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return {ERROR_ACCESS_DENIED, std::system_category()};
  return {};
}

namespace {

std::error_code MakeFolder(const std::filesystem::path& folder) {
  if (IsDeviceName(folder)) return {ERROR_BAD_DEVICE, std::system_category()};
  if (CreateDirectoryW(folder.c_str(), nullptr)) return {};
  std::error_code ignored;
  if (GetLastError() == ERROR_ALREADY_EXISTS && std::filesystem::is_directory(folder, ignored)) return {};
  return LastErrorAt(folder);
}

}  // namespace

namespace {

// Windows' own texts come in the system's language and code page; these are
// the program's, for the errors a file name or a disk gives.
const char* WindowsReason(int code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "No such file or directory";
    case ERROR_INVALID_DRIVE:
      return "No such drive";
    case ERROR_ACCESS_DENIED:
      return "Permission denied";
    case ERROR_WRITE_PROTECT:
      return "Read-only file system";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "The file is in use by another program";
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
      return "No space left on device";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return "File exists";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return "Invalid file name";
    case ERROR_FILENAME_EXCED_RANGE:
      return "File name too long";
    case ERROR_NOT_READY:
      return "The device is not ready";
    case ERROR_BAD_DEVICE:
      return "A reserved device name (as CON, NUL, COM1)";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return "No such network path";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "Not enough memory";
    default:
      return nullptr;
  }
}

}  // namespace

std::string ReasonText(const std::error_code& error) {
  if (error.category() == std::system_category()) {
    if (const char* text = WindowsReason(error.value())) return text;
    return "Windows error " + std::to_string(error.value());
  }
  return std::strerror(error.value());
}

#else

NativeOpen CreateExclusive(const std::filesystem::path& path) {
  NativeOpen result;
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (descriptor == -1) {
    result.error = std::error_code(errno, std::generic_category());
    result.name_taken = errno == EEXIST;
    return result;
  }
  result.file = fdopen(descriptor, "wb");
  if (result.file == nullptr) {
    result.error = std::error_code(errno, std::generic_category());
    close(descriptor);
    unlink(path.c_str());
  }
  return result;
}

NativeOpen OpenDeviceOrPipe(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) return {};
  NativeOpen result;
  const int descriptor = open(path.c_str(), O_WRONLY | O_CLOEXEC);  // a pipe waits here for its reader
  if (descriptor == -1) {
    result.error = std::error_code(errno, std::generic_category());
    return result;
  }
  // Replaced by a file meanwhile: that one is written as files are.
  if (fstat(descriptor, &status) != 0 || S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) {
    close(descriptor);
    return {};
  }
  result.file = fdopen(descriptor, "wb");
  if (result.file == nullptr) {
    result.error = std::error_code(errno, std::generic_category());
    close(descriptor);
  }
  return result;
}

std::error_code CheckReplaceable(const std::filesystem::path& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || access(path.c_str(), W_OK) == 0) return {};
  return {errno, std::generic_category()};
}

std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return {};
  return {errno, std::generic_category()};
}

namespace {

std::error_code MakeFolder(const std::filesystem::path& folder) {
  if (mkdir(folder.c_str(), 0777) == 0) return {};
  const int error = errno;
  std::error_code ignored;
  if (error == EEXIST && std::filesystem::is_directory(folder, ignored)) return {};
  return {error, std::generic_category()};
}

}  // namespace

std::string ReasonText(const std::error_code& error) {
  if (error.category() == std::generic_category() || error.category() == std::system_category())
    return std::strerror(error.value());
  return error.message();
}

#endif

std::error_code MakeFolders(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) return {};
  const std::filesystem::path parent = folder.parent_path();
  if (!parent.empty() && parent != folder) {
    if (const std::error_code above = MakeFolders(parent)) return above;
  }
  return MakeFolder(folder);
}
