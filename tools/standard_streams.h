// Standard input, output and error as the program was started with them.
#pragma once

struct StandardStreams {
  bool output_closed = false;  // output meant for it has nowhere to go
  bool reopen_failed = false;  // a closed one is still closed: a file could take its number
};

// Opens the null device on any of descriptors 0-2 that was closed at start,
// so that no file opened later takes its number (a video on descriptor 1
// would receive the trace). Call before anything else is opened.
StandardStreams ReopenClosedStandardStreams();
