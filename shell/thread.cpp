#include "shell/thread.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void RaiseCreationError(const void* address) {
  throw EThread("Thread creation error: " + SystemErrorText(GetLastError()), address);
}

[[noreturn]] void RaiseThreadError(const void* address) {
  const DWORD code = GetLastError();
  throw EThread("Thread Error: " + SystemErrorText(code) + " (" + std::to_string(code) + ")", address);
}

}  // namespace

TThread::TThread(bool create_suspended) : create_suspended_(create_suspended) {
  // Zero stack size: the executable's default.
  handle_ = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &thread_id_);
  if (handle_ == nullptr) RaiseCreationError(__builtin_return_address(0));
}

TThread::~TThread() {
  if (handle_ == nullptr) return;
  // Joining here is too late for a body that uses a subclass's members: they
  // are gone already. Rather than let it read freed memory, stop the process,
  // in every build.
  if (!joined_ && !suspended_ && !finished_) {
    std::fputs("a running TThread must be made by StartThread\n", stderr);
    // Redirected to a pipe or a file, the standard error of Windows' C
    // runtime is buffered, and abort flushes nothing.
    std::fflush(stderr);
    std::abort();
  }
  StopAndJoin();
  CloseHandle(handle_);
}

void TThread::StopAndJoin() {
  if (joined_) return;
  joined_ = true;
  if (finished_) return;
  Terminate();
  // One that cannot be started is left suspended rather than waited for for
  // ever.
  const bool runs = !suspended_ || ResumeThread(handle_) != static_cast<DWORD>(-1);
  if (runs) WaitForSingleObject(handle_, INFINITE);
}

void TThread::AfterConstruction() {
  if (!create_suspended_) Resume();
}

void TThread::Resume() {
  if (ResumeThread(handle_) == static_cast<DWORD>(-1)) RaiseThreadError(__builtin_return_address(0));
  suspended_ = false;
}

DWORD TThread::WaitFor() {
  WaitForSingleObject(handle_, INFINITE);
  DWORD code = 0;
  GetExitCodeThread(handle_, &code);
  return code;
}

std::exception_ptr TThread::FatalException() const {
  // Written by the thread before it sets the finished flag.
  return finished_ ? fatal_exception_ : nullptr;
}

DWORD WINAPI TThread::ThreadProc(LPVOID parameter) {
  auto* thread = static_cast<TThread*>(parameter);
  if (!thread->Terminated()) {
    try {
      thread->Execute();
    } catch (...) {
      thread->fatal_exception_ = std::current_exception();
    }
  }
  thread->finished_ = true;
  return 0;
}
