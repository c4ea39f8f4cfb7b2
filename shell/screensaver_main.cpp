// nosignal.scr: the no-signal screen as the desktop's screensaver.
#include <string>
#include <vector>

#include "shell/screensaver.h"

int main(int argc, char** argv) { return RunScreensaver(std::vector<std::string>(argv + 1, argv + argc)); }
