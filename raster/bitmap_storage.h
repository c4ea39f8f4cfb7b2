// Making the platform storage of a bitmap.
#pragma once

#include "platform/win32.h"

class TCanvas;

// A 24-bit DIB section of the description's size, filled white (or with the
// canvas brush when the bitmap has a canvas) and with the old storage's
// pixels copied over it at the top-left. Refreshes the description from the
// new section. A width or height of 0 makes no storage and returns none.
// Raises EOutOfResources or EInvalidGraphic, leaving nothing behind.
HBITMAP BuildSectionStorage(DIBSECTION& description, HBITMAP old, TCanvas* canvas);
