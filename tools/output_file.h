// A file or standard output being written, whose every failure is reported
// with the file's name and the system's reason.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OutputFile {
 public:
  // Creates or truncates the file; name is how messages call it.
  OutputFile(const std::filesystem::path& path, std::string name);
  // A stream opened elsewhere, closed by this object.
  static OutputFile Adopt(std::FILE* file, std::string name) { return OutputFile(file, std::move(name), true); }
  // Standard output, switched to binary on platforms that translate line ends.
  static OutputFile StandardOutput(bool binary);
  ~OutputFile();  // closes a file still open, ignoring errors (a failure path)
  OutputFile(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile& operator=(OutputFile&&) = delete;

  void Write(const void* data, std::size_t size);  // throws OutputError
  void Flush();                                    // throws OutputError
  void Close();                                    // flushes and closes; throws OutputError
  const std::string& Name() const { return name_; }

 private:
  OutputFile(std::FILE* file, std::string name, bool owned);
  [[noreturn]] void Fail(int error) const;

  std::FILE* file_;
  std::string name_;
  bool owned_;
};

// "cannot write NAME: REASON", REASON being the system's text for the error.
std::string CannotWrite(const std::string& name, const std::string& reason);
