// The signals a terminal, a supervisor or a limit sends (and Ctrl+C or
// Ctrl+Break on a Windows console) while files are half-written remove those
// files, then end the program as that signal would have: 128 + the signal
// on POSIX (the default action, raised again), STATUS_CONTROL_C_EXIT on
// Windows.
#pragma once

#include <filesystem>

// Catches the signals (leaving alone any the program was started with
// ignored) and ignores SIGXFSZ, so that a file-size limit fails a write
// with EFBIG instead of killing the program without a word.
void InstallInterruptCleanup();

// The temporary files an interrupt removes, several at once. A path
// registered must stay alive and unchanged until it is withdrawn.
// Returns false when all the slots are taken.
bool RemoveOnInterrupt(const std::filesystem::path* path);
void KeepOnInterrupt(const std::filesystem::path* path);

// Holds the interrupts back while a file is created and registered, or
// renamed and withdrawn, so that none is left behind between the two steps
// and none of another run's is removed. POSIX only; elsewhere it does nothing.
class InterruptsHeld {
 public:
  InterruptsHeld();
  ~InterruptsHeld();
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;

 private:
  unsigned char saved_[256];  // the previous signal mask (a sigset_t)
};
