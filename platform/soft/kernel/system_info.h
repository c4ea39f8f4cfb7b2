// What the software platform reports about the machine it stands in for: the
// screen's pixels per inch, whether the locale is a double-byte one, and the
// character set of the system font. The three are defined alone in
// machine_settings.cpp, so that the test library can put a machine of its
// own in their place at link time.
#pragma once

#include "platform/win32.h"

namespace soft {

constexpr int kStandardScreenDpi = 96;
// The system code page is Windows-1251, so the system font is a Cyrillic one.
constexpr BYTE kStandardSystemFontCharset = RUSSIAN_CHARSET;

int ScreenDpi();
bool DoubleByteLocale();
BYTE SystemFontCharset();

}  // namespace soft
