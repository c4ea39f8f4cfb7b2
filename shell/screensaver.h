// nosignal.scr from start to end (Windows only): the settings' command line
// chooses full screen, preview or the settings box.
#pragma once

#include <string>
#include <vector>

// Exit codes: 0 after a normal end, 1 when the animation could not be
// started, 2 for a command line it does not understand (after a box that
// says what is wrong).
int RunScreensaver(const std::vector<std::string>& arguments);
