// The program from start to end, as main runs it.
#pragma once

#include "shell/command_line.h"

class TTimer;

// Starts the runtime, opens the window, runs the animation and the message
// loop until the window is closed, shuts down. Returns the exit code: 0 after
// a normal close, 1 when the window or the animation could not be started.
int RunProgram();
// The same on another surface (`launch` names the root window or a handed
// window): exit code 2 when that window does not exist; SIGTERM, SIGINT and
// SIGHUP end it with 0, the surface left in place.
int RunProgram(const Launch& launch);

// Stops the animation once the main window's loop has ended and destroys the
// window; ends the process with exit_code at once when a tick cannot be
// waited for.
void EndAnimation(TTimer& timer, int exit_code);
