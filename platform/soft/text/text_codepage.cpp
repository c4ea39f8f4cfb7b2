#include "platform/soft/text/text_codepage.h"

#include <array>

#include "platform/win32.h"

namespace soft {
namespace {

// 0x80-0xBF: the irregular half of the code page (Serbian and Macedonian
// letters, Ukrainian Ґ Є І Ї and their small forms, typographic punctuation).
constexpr std::array<char16_t, 64> kUpperPunctuationAndLetters = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// 0x80-0x9F of Windows-1252: typographic punctuation and a few letters; the
// rest of the code page is Latin-1. The five undefined bytes map to U+FFFD.
constexpr std::array<char16_t, 32> kWesternPunctuation = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  // 98
};

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kWesternPunctuation[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {  // the code page holds nothing beyond the basic plane
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);  // А..я in alphabetical order
  return kUpperPunctuationAndLetters[byte - 0x80];
}

std::u32string DecodeCp1251(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(Cp1251ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

unsigned char EffectiveCharset(unsigned char charset) {
  return charset == ANSI_CHARSET ? ANSI_CHARSET : RUSSIAN_CHARSET;
}

std::u32string DecodeText(std::string_view bytes, unsigned char charset) {
  if (EffectiveCharset(charset) != ANSI_CHARSET) return DecodeCp1251(bytes);
  std::u32string text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(Cp1252ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (char byte : bytes) AppendUtf8(text, Cp1251ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

}  // namespace soft
