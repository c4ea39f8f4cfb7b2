// nosignal: a television screen with no signal.
#include "shell/launcher.h"

int main(int argc, char** argv) { return RunCommandLine(argc, argv); }
