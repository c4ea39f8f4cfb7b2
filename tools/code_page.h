// The captions are bytes of the Windows-1251 (Cyrillic) code page; the trace
// is UTF-8. The platform's own converter does the work.
#pragma once

#include <string>
#include <string_view>

// The one byte the code page leaves undefined (0x98) becomes U+FFFD with
// iconv; Windows gives its own replacement for it.
std::string Utf8FromCp1251(std::string_view bytes);
