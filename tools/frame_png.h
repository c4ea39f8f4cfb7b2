// Writes a frame bitmap as a 24-bit RGB PNG file.
#pragma once

#include <filesystem>

#include "raster/bitmap.h"

// Writes to a temporary file beside path and renames it, so that a failure
// never leaves a half-written frame behind. Throws std::runtime_error.
void WriteFramePng(TBitmap& bitmap, const std::filesystem::path& path);
