#include "tools/interrupt_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstdio>

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

// The file an interrupt removes, if any. The signal handler reads it, so it
// is a lock-free atomic, made before main and never destroyed.
struct CleanupState {
  std::atomic<const std::filesystem::path*> partial_file{nullptr};
};
static_assert(std::atomic<const std::filesystem::path*>::is_always_lock_free);

CleanupState& State() {
  static constinit CleanupState state;
  return state;
}

extern "C" void OnInterrupt(int signal_number) {
  if (const std::filesystem::path* path = State().partial_file.exchange(nullptr)) {
#if defined(_WIN32)
    _wremove(path->c_str());
#else
    unlink(path->c_str());  // async-signal-safe, unlike the library's remove
#endif
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void Catch(int signal_number) {
  if (std::signal(signal_number, OnInterrupt) == SIG_IGN) std::signal(signal_number, SIG_IGN);
}

}  // namespace

void InstallInterruptCleanup() {
  Catch(SIGINT);
  Catch(SIGTERM);
#if defined(SIGPIPE)
  Catch(SIGPIPE);
#endif
}

void RemoveOnInterrupt(const std::filesystem::path* path) { State().partial_file.store(path); }
