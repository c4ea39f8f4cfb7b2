// Names that compare without regard to case (window classes, face names) are
// folded to lower case here, letter by letter, in the C locale.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

inline std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}
