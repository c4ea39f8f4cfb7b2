#include "shell/stop_signals.h"

#ifdef _WIN32

void HoldStopSignals() {}
void CloseOnStopSignals(HWND) {}

#else

#include <signal.h>

#include <thread>

namespace {

sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGHUP);
  return signals;
}

}  // namespace

void HoldStopSignals() {
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void CloseOnStopSignals(HWND window) {
  std::thread([window] {
    const sigset_t signals = StopSignals();
    int received = 0;
    while (sigwait(&signals, &received) != 0) {
    }
    // The window's thread destroys it, the loop ends and the program with it.
    PostMessageA(window, WM_CLOSE, 0, 0);
  }).detach();
}

#endif
