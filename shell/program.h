// The program from start to end, as main runs it.
#pragma once

class TTimer;

// Starts the runtime, opens the window, runs the animation and the message
// loop until the window is closed, shuts down. Returns the exit code: 0 after
// a normal close, 1 when the window or the animation could not be started.
int RunProgram();

// Stops the animation once the main window's loop has ended and destroys the
// window; ends the process with exit_code at once when a tick cannot be
// waited for.
void EndAnimation(TTimer& timer, int exit_code);
