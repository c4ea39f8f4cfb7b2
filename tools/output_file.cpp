#include "tools/output_file.h"

#include <cerrno>
#include <cstring>
#include <utility>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

std::FILE* Open(const std::filesystem::path& path) {
#if defined(_WIN32)
  return _wfopen(path.c_str(), L"wb");
#else
  return std::fopen(path.c_str(), "wb");
#endif
}

// Some C libraries leave errno at 0 on a failed stream write; EIO is then
// the truest thing left to say.
int LastError() { return errno != 0 ? errno : EIO; }

}  // namespace

std::string CannotWrite(const std::string& name, const std::string& reason) {
  return "cannot write " + name + ": " + reason;
}

OutputFile::OutputFile(std::FILE* file, std::string name, bool owned)
    : file_(file), name_(std::move(name)), owned_(owned) {}

OutputFile::OutputFile(const std::filesystem::path& path, std::string name)
    : file_(nullptr), name_(std::move(name)), owned_(true) {
  errno = 0;
  file_ = Open(path);
  if (file_ == nullptr) Fail(LastError());
}

OutputFile OutputFile::StandardOutput(bool binary) {
#if defined(_WIN32)
  if (binary) _setmode(_fileno(stdout), _O_BINARY);
#else
  (void)binary;
#endif
  return OutputFile(stdout, "standard output", false);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), name_(std::move(other.name_)), owned_(other.owned_) {}

OutputFile::~OutputFile() {
  if (file_ != nullptr && owned_) std::fclose(file_);
}

void OutputFile::Write(const void* data, std::size_t size) {
  errno = 0;
  if (std::fwrite(data, 1, size, file_) != size) Fail(LastError());
}

void OutputFile::Flush() {
  errno = 0;
  if (std::fflush(file_) != 0) Fail(LastError());
}

void OutputFile::Close() {
  Flush();
  if (!owned_) return;
  std::FILE* const file = std::exchange(file_, nullptr);
  errno = 0;
  if (std::fclose(file) != 0) Fail(LastError());
}

void OutputFile::Fail(int error) const { throw OutputError(CannotWrite(name_, std::strerror(error))); }
