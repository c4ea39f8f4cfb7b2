// Text reaches the platform as bytes of the single-byte system code page,
// which is Windows-1251 (Cyrillic); the glyph renderer wants Unicode.
#pragma once

#include <string>
#include <string_view>

namespace soft {

// The code point of one Windows-1251 byte. The one byte the code page leaves
// undefined (0x98) maps to U+FFFD so that it shows as a missing glyph.
char32_t Cp1251ToUnicode(unsigned char byte);

std::u32string DecodeCp1251(std::string_view bytes);

// Face names are given in the code page too, and fontconfig wants UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);

}  // namespace soft
