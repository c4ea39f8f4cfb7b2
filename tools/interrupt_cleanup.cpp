#include "tools/interrupt_cleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

#if defined(_WIN32)
#include "platform/win32.h"
#else
#include <unistd.h>
#endif

namespace {

// The files an interrupt removes. The handler reads them, so they are
// lock-free atomics, made before main and never destroyed.
using NativeName = const std::filesystem::path::value_type*;
constexpr std::size_t kSlots = 8;
struct CleanupState {
  std::array<std::atomic<const std::filesystem::path*>, kSlots> files{};
};
static_assert(std::atomic<const std::filesystem::path*>::is_always_lock_free);

CleanupState& State() {
  static constinit CleanupState state;
  return state;
}

void RemoveAll() {
  for (auto& slot : State().files) {
    if (const std::filesystem::path* path = slot.exchange(nullptr)) {
      const NativeName name = path->c_str();
#if defined(_WIN32)
      // Opened with delete sharing: gone when the process's handle closes.
      DeleteFileW(name);
#else
      unlink(name);  // async-signal-safe, unlike the library's remove
#endif
    }
  }
}

#if defined(_WIN32)

// The status a console program ended by Ctrl+C or Ctrl+Break has.
constexpr UINT kControlCExit = 0xC000013A;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  RemoveAll();
  // Not ExitProcess: the main thread may hold the C library's stream locks,
  // which its exit would wait on. Closing the handles removes the files.
  TerminateProcess(GetCurrentProcess(), kControlCExit);
  return TRUE;
}

#else

constexpr int kInterrupts[] = {SIGHUP, SIGINT, SIGTERM, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU, SIGPIPE};

sigset_t InterruptSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int number : kInterrupts) sigaddset(&set, number);
  return set;
}

extern "C" void OnInterrupt(int signal_number) {
  RemoveAll();
  // Raised again with the default action: it is delivered, and ends the
  // program, as soon as the handler returns and unblocks it.
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void Catch(int signal_number) {
  struct sigaction current {};
  if (sigaction(signal_number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_mask = InterruptSet();  // one handler at a time
  sigaction(signal_number, &action, nullptr);
}

#endif

}  // namespace

void InstallInterruptCleanup() {
#if defined(_WIN32)
  SetConsoleCtrlHandler(OnControl, TRUE);
#else
  for (const int number : kInterrupts) Catch(number);
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

bool RemoveOnInterrupt(const std::filesystem::path* path) {
  for (auto& slot : State().files) {
    const std::filesystem::path* empty = nullptr;
    if (slot.compare_exchange_strong(empty, path)) return true;
  }
  return false;
}

void KeepOnInterrupt(const std::filesystem::path* path) {
  for (auto& slot : State().files) {
    const std::filesystem::path* expected = path;
    if (slot.compare_exchange_strong(expected, nullptr)) return;
  }
}

#if defined(_WIN32)
InterruptsHeld::InterruptsHeld() : saved_{} {}
InterruptsHeld::~InterruptsHeld() = default;
#else
InterruptsHeld::InterruptsHeld() : saved_{} {
  static_assert(sizeof(sigset_t) <= sizeof saved_, "room for a signal mask");
  const sigset_t set = InterruptSet();
  sigset_t previous;
  sigprocmask(SIG_BLOCK, &set, &previous);
  std::memcpy(saved_, &previous, sizeof previous);
}

InterruptsHeld::~InterruptsHeld() {
  sigset_t previous;
  std::memcpy(&previous, saved_, sizeof previous);
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}
#endif
