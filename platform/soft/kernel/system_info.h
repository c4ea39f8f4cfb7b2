// What the software platform reports about the machine it stands in for: the
// screen's pixels per inch, whether the locale is a double-byte one, and the
// character set of the system font. Tests may change them through soft.h.
#pragma once

#include "platform/win32.h"

namespace soft {

int ScreenDpi();
bool DoubleByteLocale();
BYTE SystemFontCharset();

}  // namespace soft
