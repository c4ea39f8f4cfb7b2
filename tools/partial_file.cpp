#include "tools/partial_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <system_error>

#include "tools/interrupt_cleanup.h"
#include "tools/native_files.h"

namespace {

// Far more tries than a folder's worth of other runs can take.
constexpr int kNameTries = 100;
// Room in a file name (255 bytes on most systems) for the suffix.
constexpr std::size_t kLongestStem = 200;

std::string RandomSuffix() {
  static std::mt19937_64 generator = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(),
                       static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
    return std::mt19937_64(seed);
  }();
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix(10, '0');
  for (char& digit : suffix) digit = kDigits[generator() % 36];
  return suffix;
}

// FILE.RANDOM.partial beside FILE.
std::filesystem::path TemporaryName(const std::filesystem::path& path) {
  const std::filesystem::path::string_type whole = path.filename().native();
  std::filesystem::path name(whole.substr(0, std::min(whole.size(), kLongestStem)));
  std::string suffix(1, '.');
  suffix.append(RandomSuffix()).append(".partial");
  name += suffix;
  return path.parent_path() / name;
}

}  // namespace

PartialFile::PartialFile(const std::filesystem::path& path, const std::string& name) : path_(path) {
  const NativeOpen device = OpenDeviceOrPipe(path);
  if (device.error) throw OutputError(CannotWrite(name, ReasonText(device.error)));
  if (device.file != nullptr) {
    in_place_ = true;
    file_.emplace(OutputFile::Adopt(device.file, name));
    return;
  }
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) throw OutputError(CannotWrite(name, std::strerror(EISDIR)));
  if (const std::error_code error = CheckReplaceable(path)) throw OutputError(CannotWrite(name, ReasonText(error)));
  CreateTemporary(name);
}

PartialFile::PartialFile(const std::filesystem::path& path, const std::string& name, Trial) : path_(path) {
  CreateTemporary(name);
}

void PartialFile::TryFolder(const std::filesystem::path& folder, const std::string& name) {
  PartialFile(folder / ".nosignal-render-probe", name, Trial{}).Discard();
}

void PartialFile::CreateTemporary(const std::string& name) {
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    partial_ = TemporaryName(path_);
    const InterruptsHeld held;  // created and registered as one step
    const NativeOpen created = CreateExclusive(partial_);
    if (created.file != nullptr) {
      RemoveOnInterrupt(&partial_);
      file_.emplace(OutputFile::Adopt(created.file, name));
      return;
    }
    if (!created.name_taken) throw OutputError(CannotWrite(name, ReasonText(created.error)));
  }
  throw OutputError(CannotWrite(name, "no free temporary name beside it"));
}

PartialFile::~PartialFile() {
  if (in_place_ || done_) return;
  file_.reset();  // closed first: Windows removes no open file
  std::error_code ignored;
  std::filesystem::remove(partial_, ignored);
  KeepOnInterrupt(&partial_);
}

void PartialFile::Commit() {
  file_->Close();
  if (!in_place_) {
    const InterruptsHeld held;  // renamed and withdrawn as one step
    if (const std::error_code error = RenameOver(partial_, path_))
      throw OutputError(CannotWrite(file_->Name(), ReasonText(error)));
    KeepOnInterrupt(&partial_);
  }
  done_ = true;
}

void PartialFile::Discard() {
  file_->Close();
  std::error_code error;
  std::filesystem::remove(partial_, error);
  KeepOnInterrupt(&partial_);
  done_ = true;
  if (error) throw OutputError(CannotWrite(file_->Name(), ReasonText(error)));
}
