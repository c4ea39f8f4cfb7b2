// A file written under a temporary name beside its own and renamed over it
// when complete, so that a failure or an interrupt never leaves half of it
// behind. The temporary name is new to the folder (random, created
// exclusively, never through a link), so that a link planted there cannot
// redirect the writing and two runs never write into one file: each
// publishes a whole file of its own. A device or a pipe (/dev/null, a named
// pipe, NUL) is written in place: it keeps no half-written state, and
// renaming over it would replace it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tools/output_file.h"

class PartialFile {
 public:
  // name is how messages call the file. Throws OutputError, at once for a
  // destination that is a folder or whose folder takes no new file.
  PartialFile(const std::filesystem::path& path, const std::string& name);
  ~PartialFile();  // removes the temporary file unless committed
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  OutputFile& File() { return *file_; }
  // Closes the file and gives it its own name. Throws OutputError.
  void Commit();
  // Creates and removes a file of a fresh name in folder: the one test of
  // permission that every platform answers truly. Throws OutputError.
  static void TryFolder(const std::filesystem::path& folder, const std::string& name);

 private:
  struct Trial {};
  PartialFile(const std::filesystem::path& path, const std::string& name, Trial);
  void Discard();
  void CreateTemporary(const std::string& name);

  std::filesystem::path path_;
  std::filesystem::path partial_;
  std::optional<OutputFile> file_;
  bool in_place_ = false;
  bool done_ = false;
};
