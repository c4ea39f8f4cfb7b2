#include "tools/partial_file.h"

#include <system_error>

#include "tools/interrupt_cleanup.h"

namespace {

std::filesystem::path PartialName(std::filesystem::path path) { return path += ".partial"; }

bool IsDeviceOrPipe(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
         !std::filesystem::is_directory(status);
}

}  // namespace

PartialFile::PartialFile(const std::filesystem::path& path, const std::string& name)
    : path_(path), in_place_(IsDeviceOrPipe(path)) {
  if (in_place_) {
    file_.emplace(path_, name);
    return;
  }
  partial_ = PartialName(path);
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
  if (in_place_ || committed_) return;
  RemoveOnInterrupt(nullptr);
  file_.reset();  // closed first: Windows removes no open file
  std::error_code ignored;
  std::filesystem::remove(partial_, ignored);
}

void PartialFile::Commit() {
  file_->Close();
  if (!in_place_) {
    std::error_code error;
    std::filesystem::rename(partial_, path_, error);
    if (error) throw OutputError(CannotWrite(file_->Name(), error.message()));
    RemoveOnInterrupt(nullptr);
  }
  committed_ = true;
}
