// The machine the software platform stands in for: a screen of the usual
// density and a single-byte locale. Nothing else lives in this file, since
// the test library replaces exactly these definitions.
#include "platform/soft/kernel/system_info.h"

namespace soft {

int ScreenDpi() { return kStandardScreenDpi; }

bool DoubleByteLocale() { return false; }

BYTE SystemFontCharset() { return kStandardSystemFontCharset; }

}  // namespace soft
