#include "tools/partial_file.h"

#include <system_error>

#include "tools/interrupt_cleanup.h"

namespace {

std::filesystem::path PartialName(std::filesystem::path path) { return path += ".partial"; }

}  // namespace

PartialFile::PartialFile(const std::filesystem::path& path, const std::string& name)
    : path_(path), partial_(PartialName(path)) {
  // Registered first, so that an interrupt while the file is created still removes it.
  RemoveOnInterrupt(&partial_);
  try {
    file_.emplace(partial_, name);
  } catch (...) {
    RemoveOnInterrupt(nullptr);
    throw;
  }
}

PartialFile::~PartialFile() {
  RemoveOnInterrupt(nullptr);
  if (committed_) return;
  file_.reset();  // closed first: Windows removes no open file
  std::error_code ignored;
  std::filesystem::remove(partial_, ignored);
}

void PartialFile::Commit() {
  file_->Close();
  std::error_code error;
  std::filesystem::rename(partial_, path_, error);
  if (error) throw OutputError(CannotWrite(file_->Name(), error.message()));
  RemoveOnInterrupt(nullptr);
  committed_ = true;
}
