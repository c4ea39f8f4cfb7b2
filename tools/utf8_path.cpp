#include "tools/utf8_path.h"

#if defined(_WIN32)
#include <memory>

#include "platform/win32.h"
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#if defined(_WIN32)

std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::filesystem::path PathFromUtf8(const std::string& utf8) { return WideFromUtf8(utf8); }
std::string Utf8FromPath(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(CommandLineToArgvW(GetCommandLineW(), &count), LocalFree);
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(Utf8FromWide(wide.get()[i]));
  return arguments;
}

#else

std::filesystem::path PathFromUtf8(const std::string& utf8) { return utf8; }
std::string Utf8FromPath(const std::filesystem::path& path) { return path.string(); }

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

#endif
