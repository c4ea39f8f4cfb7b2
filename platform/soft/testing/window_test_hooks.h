// What tests may ask of the platform's windows, and the message boxes they
// may catch instead of showing. Not part of the Win32 subset.
#pragma once

#include <functional>
#include <string>

#include "platform/win32.h"

namespace soft {

// Receives every message box, text and caption in UTF-8, instead of the
// desktop; an empty function shows them again.
using MessageBoxSink =
    std::function<void(const std::string& text, const std::string& caption, UINT type)>;
void SetMessageBoxSink(MessageBoxSink sink);

// A pixel of the window's client area as its contexts left it, or
// 0xFFFFFFFF outside the area or for a window that does not exist.
COLORREF ClientPixel(HWND window, int x, int y);

}  // namespace soft
