// Colours of the drawing layer: a non-negative value is an RGB colour (red in
// the low byte), a negative one names a system colour by its low byte.
#pragma once

#include <cstdint>

#include "platform/win32.h"

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clWindowText = static_cast<TColor>(0x80000000u | COLOR_WINDOWTEXT);
constexpr TColor clDefault = 0x20000000;

// The RGB value the platform gets for a colour.
COLORREF ToRgb(TColor color);
