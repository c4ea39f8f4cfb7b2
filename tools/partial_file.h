// A file written under a temporary name beside its own and renamed when
// complete, so that a failure or an interrupt never leaves half of it behind.
// A device or a pipe (/dev/null, a named pipe) is written in place: it keeps
// no half-written state, and renaming over it would replace it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "tools/output_file.h"

class PartialFile {
 public:
  // name is how messages call the file. Throws OutputError.
  PartialFile(const std::filesystem::path& path, const std::string& name);
  ~PartialFile();  // removes the temporary file unless committed
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  OutputFile& File() { return *file_; }
  // Closes the file and gives it its own name. Throws OutputError.
  void Commit();

 private:
  std::filesystem::path path_;
  std::filesystem::path partial_;
  std::optional<OutputFile> file_;
  bool in_place_;
  bool committed_ = false;
};
