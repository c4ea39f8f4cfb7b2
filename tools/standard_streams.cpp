#include "tools/standard_streams.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

bool ReopenClosedStandardStreams() {
#if defined(_WIN32)
  return false;  // a Windows program's missing handles are never reused for files
#else
  bool output_closed = false;
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is this one: the ones below are open.
    if (open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY) != descriptor) break;
    output_closed = output_closed || descriptor == 1;
  }
  return output_closed;
#endif
}
