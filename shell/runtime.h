// The runtime's start-up and shut-down around the program's own code: the
// drawing layer's shared state, the start-up show command, the caption's
// memory. Both run on the main thread.
#pragma once

// Before anything else: the drawing layer's shared state, the module handle
// and the show command the process was started with.
void StartRuntime();
// At the very end: the caption's memory, then the drawing layer's state.
void StopRuntime();

// The show command for the main window: the one the starter asked for, or
// SW_SHOWDEFAULT when it asked for none.
int StartupShowCommand();
