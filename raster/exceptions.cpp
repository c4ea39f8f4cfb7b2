#include "raster/exceptions.h"

#include <array>

std::string SystemErrorText(DWORD code) {
  std::array<char, 256> buffer{};
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                     LANG_USER_DEFAULT, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
  std::string text(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
  // System texts end in a line break that has no place in a message.
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
  return text;
}

EOutOfResources EOutOfResources::FromErrorCode(DWORD code) {
  std::string text = code == 0 ? std::string() : SystemErrorText(code);
  if (text.empty()) text = "Out of system resources";
  return EOutOfResources(std::move(text));
}
