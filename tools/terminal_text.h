// Text for the terminal: what the user typed is echoed in messages, and a
// control byte in it must not drive the terminal (retitle it, move the
// cursor, clear it).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// The text with its control characters (C0, DEL and, in UTF-8, C1) written
// as escapes: "\x1b", "\u009b"; a backslash stays a backslash.
std::string Printable(std::string_view text);

// Writes a UTF-8 line to a stream; a Windows console is given it as
// UTF-16, so that any name shows as it is, whatever the console's code page.
void WriteLine(std::FILE* stream, const std::string& utf8);
