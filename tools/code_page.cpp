#include "tools/code_page.h"

#include <stdexcept>

#if defined(_WIN32)
#include "platform/win32.h"
#else
#include <iconv.h>

#include <cerrno>
#endif

#if defined(_WIN32)

std::string Utf8FromCp1251(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(bytes.size(), L'\0');
  const int wide_length = MultiByteToWideChar(1251, 0, bytes.data(), size, wide.data(), size);
  if (wide_length <= 0) throw std::runtime_error("cannot convert text from code page 1251");
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

#else

namespace {

// One conversion descriptor per thread: iconv keeps state in it.
class Converter {
 public:
  Converter() : handle_(iconv_open("UTF-8", "CP1251")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("cannot convert from code page 1251");
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Convert(std::string_view bytes) {
    std::string utf8;
    char* in = const_cast<char*>(bytes.data());
    std::size_t in_left = bytes.size();
    char buffer[256];
    while (in_left > 0) {
      char* out = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t result = iconv(handle_, &in, &in_left, &out, &out_left);
      utf8.append(buffer, static_cast<std::size_t>(out - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        utf8 += "\xEF\xBF\xBD";  // U+FFFD for the undefined byte
        ++in;
        --in_left;
      }
    }
    return utf8;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string Utf8FromCp1251(std::string_view bytes) {
  // Each thread's own converter: an iconv handle serves one thread at a time.
  thread_local Converter converter;
  return converter.Convert(bytes);
}

#endif
