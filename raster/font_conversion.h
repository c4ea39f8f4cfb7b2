// Between a font description and the platform's LOGFONTA: the record a
// platform font is made from, and the description read back from an adopted
// platform font.
#pragma once

#include "platform/win32.h"
#include "raster/descriptions.h"

// The face name "Default", in any letter case, stands for the face of
// defaults.
LOGFONTA LogFontFromKey(const FontKey& key, const FontKey& defaults);

// Starts from defaults; the handle field becomes handle.
FontKey KeyFromLogFont(const LOGFONTA& font, HGDIOBJ handle, const FontKey& defaults);
