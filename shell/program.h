// The program from start to end, as main runs it.
#pragma once

// Starts the runtime, opens the window, runs the animation and the message
// loop until the window is closed, shuts down. Returns the exit code: 0 after
// a normal close, 1 when the window or the animation could not be started.
int RunProgram();
