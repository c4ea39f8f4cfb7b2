#include "tools/standard_streams.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

StandardStreams ReopenClosedStandardStreams() {
  StandardStreams streams;
#if !defined(_WIN32)  // a Windows program's missing handles are never reused for files
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    streams.output_closed = streams.output_closed || descriptor == 1;
    // The lowest free number is this one: the ones below are open.
    if (open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY) != descriptor) {
      streams.reopen_failed = true;
      break;
    }
  }
#endif
  return streams;
}
