// Writes a frame bitmap as a 24-bit RGB PNG file.
#pragma once

#include <filesystem>
#include <string>

#include "raster/bitmap.h"
#include "tools/png_encoder.h"

// Writes to a temporary file beside path and renames it, so that a failure
// never leaves a half-written frame behind. name is how messages call the
// file. Throws OutputError (naming the file and the system's reason) or
// std::invalid_argument for a picture the encoder cannot take.
void WriteFramePng(TBitmap& bitmap, const std::filesystem::path& path, const std::string& name,
                   const PngSettings& settings = {});
