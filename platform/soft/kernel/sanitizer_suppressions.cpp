// Built only into sanitised programs and tests (see CMakeLists.txt): the
// leak checker's list of what the desktop libraries lose on their own, so
// that a sanitised build run by hand ends as a release build does.
//   libdbus: the desktop's message bus keeps an allocation after SDL closes
//     its connection at exit.
//   libfontconfig: a few hundred bytes lost while parsing its configuration,
//     once per process.
//   libXrandr: a few bytes lost when SDL asks a server without the extension.
//
// Weak, since a test links it twice (through its helpers and itself); the
// program's definition still takes the place of the runtime's default.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\n"
         "leak:libfontconfig.so\n"
         "leak:libXrandr.so\n";
}

// Nor is the list of what it skipped worth a word on standard error.
extern "C" __attribute__((weak)) const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif
