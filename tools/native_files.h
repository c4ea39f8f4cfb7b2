// The few file operations whose exact form matters for safety and that the
// standard library does not offer: creating a file only if its name is free
// (never through a link), opening a device or pipe that exists, and renaming
// over a name. Each reports the system's error; ReasonText words it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

struct NativeOpen {
  std::FILE* file = nullptr;  // binary, for writing; nullptr on failure
  std::error_code error;
  bool name_taken = false;  // the name exists already (exclusive creation only)
};

// Creates a new, empty file; fails if anything, a link included, has the name.
NativeOpen CreateExclusive(const std::filesystem::path& path);
// The device or pipe at path, opened for writing without creating anything;
// file is nullptr (and error empty) when path names something else.
NativeOpen OpenDeviceOrPipe(const std::filesystem::path& path);
// Makes folder and the folders above it that are missing.
std::error_code MakeFolders(const std::filesystem::path& folder);
// Whether a file at path may be replaced by this user: a file kept read-only
// is refused, as writing into it would be. Empty when path does not exist.
std::error_code CheckReplaceable(const std::filesystem::path& path);
// Renames from over to, replacing a file (or a link, never its target).
std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The error in words, in the program's own language ("No such file or
// directory"), whichever category it comes in.
std::string ReasonText(const std::error_code& error);
