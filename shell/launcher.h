// The program as started from the command line: what the arguments ask for,
// and the exit status.
#pragma once

// 0 after a normal end, 1 when the display failed, 2 for a bad argument
// (told in one line, nothing drawn).
int RunCommandLine(int argc, char** argv);
