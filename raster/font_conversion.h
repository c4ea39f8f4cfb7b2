// Between a font description and the platform's LOGFONTA: the record a
// platform font is made from, and the description read back from an adopted
// platform font.
#pragma once

#include "platform/win32.h"
#include "raster/descriptions.h"

// The face name "Default", in any letter case, stands for the default face.
LOGFONTA LogFontFromKey(const FontKey& key);

// Starts from the default description; the handle field becomes handle.
FontKey KeyFromLogFont(const LOGFONTA& font, HGDIOBJ handle);
