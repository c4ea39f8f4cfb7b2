// Lets tests stand the platform on another machine: another screen density,
// a double-byte locale. Not part of the Win32 subset.
#pragma once

namespace soft {

// The screen's pixels per inch as GetDeviceCaps(LOGPIXELSY) reports it, for
// a drawing layer started afterwards.
void SetScreenDpi(int dpi);

// Whether GetSystemMetrics(SM_DBCSENABLED) reports a double-byte locale, and
// the character set the system font then reports.
void SetDoubleByteLocale(bool enabled, unsigned char system_charset);

}  // namespace soft
