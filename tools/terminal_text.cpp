#include "tools/terminal_text.h"

#include <cstdint>

#include "tools/utf8_path.h"

#if defined(_WIN32)
#include <io.h>

#include "platform/win32.h"
#endif

namespace {

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    const auto next = i + 1 < text.size() ? static_cast<std::uint8_t>(text[i + 1]) : 0;
    if (byte < 0x20 || byte == 0x7F) {
      AppendHex(out, "\\x", byte, 2);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080 to U+009F
      AppendHex(out, "\\u00", next, 2);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

void WriteLine(std::FILE* stream, const std::string& utf8) {
#if defined(_WIN32)
  const HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (console != INVALID_HANDLE_VALUE && GetConsoleMode(console, &mode)) {
    std::fflush(stream);
    const std::wstring wide = WideFromUtf8(utf8 + "\n");
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
#endif
  std::fputs(utf8.c_str(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}
