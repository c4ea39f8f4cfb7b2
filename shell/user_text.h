// Texts for the person who started the program: on standard output and
// error where there is a terminal to read them (Linux), in a message box on
// Windows, where the program has no console.
#pragma once

#include <string>

// Help, version: the whole text.
void ShowText(const std::string& text);
// Why the program will not start, in one line without the program's name.
void TellRefusal(const std::string& line);
