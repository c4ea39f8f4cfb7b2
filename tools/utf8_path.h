// Names inside the program are UTF-8, as the trace and the messages are; the
// file system takes them in its own form (bytes on POSIX, UTF-16 on
// Windows), so that any name, in any language, reaches it unchanged.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// The program's arguments after its name, in UTF-8 (on Windows read from
// the wide command line, never through the ANSI code page).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

#if defined(_WIN32)
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
#endif
