// The fixed table of captions the screen walks through.
#pragma once

#include <array>
#include <string_view>

constexpr int kCaptionRows = 21;

// Row 1 to 21 of the table, as Windows-1251 bytes.
std::string_view CaptionRow(int row);
