// nosignal: a television screen with no signal.
#include "shell/program.h"

int main() { return RunProgram(); }
