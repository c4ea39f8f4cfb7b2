// Built into the window program only (see CMakeLists.txt): standard input,
// output and error that its starter left closed are opened on /dev/null
// before anything else runs. Otherwise the first file or connection opened
// takes one of their numbers, and a warning a library writes to standard
// error (Xlib's about a missing extension, for one) goes into the X
// connection instead, which then waits for an answer for ever.
#include <errno.h>
#include <fcntl.h>

namespace {

void OpenClosedStandardDescriptors(int, char**, char**) {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number is this one, as those below it are open.
    open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
  }
}

// Run before the libraries' own initialisers, which may open files already.
__attribute__((section(".preinit_array"), used)) void (*const kOpenClosedStandardDescriptors)(int, char**, char**) =
    OpenClosedStandardDescriptors;

}  // namespace
