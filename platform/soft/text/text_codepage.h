// Text reaches the platform as bytes of a single-byte code page, which the
// font's character set selects: Windows-1252 (Western) for the ANSI set,
// Windows-1251 (Cyrillic) for the Russian set, and the system code page,
// which is 1251 here, for the default set. The glyph renderer wants Unicode.
#pragma once

#include <string>
#include <string_view>

namespace soft {

// The code point of one Windows-1251 byte. The one byte the code page leaves
// undefined (0x98) maps to U+FFFD so that it shows as a missing glyph.
char32_t Cp1251ToUnicode(unsigned char byte);

std::u32string DecodeCp1251(std::string_view bytes);

// The character set a font asking for `charset` gets: the default set
// becomes the system's (RUSSIAN_CHARSET), as do the sets this platform does
// not carry; ANSI_CHARSET stays.
unsigned char EffectiveCharset(unsigned char charset);

// Text in the code page that the character set selects.
std::u32string DecodeText(std::string_view bytes, unsigned char charset);

// Face names are given in the system code page, and fontconfig wants UTF-8.
std::string Cp1251ToUtf8(std::string_view bytes);

}  // namespace soft
