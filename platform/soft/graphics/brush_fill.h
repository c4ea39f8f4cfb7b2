// The colour a brush argument fills with.
#pragma once

#include <optional>

#include "platform/win32.h"

namespace soft {

// What a brush fills with: a brush handle, or a system colour index plus one
// in its place, as the platform allows. False when brush names neither;
// otherwise fill is its colour, or empty for a hollow brush.
bool BrushFill(HBRUSH brush, std::optional<COLORREF>& fill);

}  // namespace soft
