// What tests may observe or steer of the platform under the layers, on
// either platform: live object counts, misuse, the screen's density, the
// locale, message boxes, thread creation failures and window pixels.
#pragma once

#include <functional>
#include <string>

#include "platform/win32.h"

namespace probe {

// Objects made through the platform and not yet deleted or released, stock
// objects not counted.
struct LiveCounts {
  int pens = 0, brushes = 0, fonts = 0, bitmaps = 0, dcs = 0, windows = 0;
  bool operator==(const LiveCounts&) const = default;
};
LiveCounts CountLive();

// How often an object was deleted while still selected into a context.
long MisuseCount();

// The screen's pixels per inch as GetDeviceCaps(LOGPIXELSY) reports it, for
// a drawing layer started afterwards; 96 puts the usual density back.
void SetScreenDpi(int dpi);

// Whether GetSystemMetrics(SM_DBCSENABLED) reports a double-byte locale, and
// the character set the screen's font then reports.
void SetDoubleByteLocale(bool enabled, unsigned char system_charset);

// Receives every message box (text and caption in UTF-8) instead of showing
// it; an empty function shows them again.
using MessageBoxSink = std::function<void(const std::string& text, const std::string& caption, UINT type)>;
void SetMessageBoxSink(MessageBoxSink sink);

// While set, CreateThread fails as if the system had no memory left.
void SetThreadCreationFails(bool fails);

// A pixel of the window's client area, or 0xFFFFFFFF outside it.
COLORREF ClientPixel(HWND window, int x, int y);

// In-process tests of windows use a display of their own making where the
// platform needs one (the software one has a dummy desktop).
void UseTestDisplay();

}  // namespace probe
