// What the software platform tells tests and tools about itself, and the few
// settings a test may change. Not part of the Win32 subset.
#pragma once

namespace soft {

struct LiveCounts {
  int pens = 0;
  int brushes = 0;
  int fonts = 0;
  int bitmaps = 0;
  int dcs = 0;
  int windows = 0;
  int Total() const { return pens + brushes + fonts + bitmaps + dcs + windows; }
  bool operator==(const LiveCounts&) const = default;
};

// Objects alive in the handle table, stock objects not counted.
LiveCounts CountLive();

// How often an object was deleted while still selected into a context (the
// deletion is refused), or another misuse was seen.
long MisuseCount();

// The screen's pixels per inch as GetDeviceCaps(LOGPIXELSY) reports it
// (96 unless a test sets another value before the drawing layer starts).
void SetScreenDpi(int dpi);

// Whether GetSystemMetrics(SM_DBCSENABLED) reports a double-byte locale, and
// the character set the system font then reports (tests only).
void SetDoubleByteLocale(bool enabled, unsigned char system_charset);

}  // namespace soft
