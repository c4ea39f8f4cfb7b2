// Standard input, output and error as the program was started with them.
#pragma once

// Opens the null device on any of descriptors 0-2 that was closed at start,
// so that no file opened later takes its number (a video on descriptor 1
// would receive the trace). Call before anything else is opened. Returns
// whether standard output was closed: output meant for it has nowhere to go.
bool ReopenClosedStandardStreams();
