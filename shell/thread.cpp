#include "shell/thread.h"

#include <string>

namespace {

std::string ErrorText(DWORD code) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
  return result;
}

[[noreturn]] void RaiseCreationError(const void* address) {
  throw EThread("Thread creation error: " + ErrorText(GetLastError()), address);
}

[[noreturn]] void RaiseThreadError(const void* address) {
  const DWORD code = GetLastError();
  throw EThread("Thread Error: " + ErrorText(code) + " (" + std::to_string(code) + ")", address);
}

}  // namespace

TThread::TThread(bool create_suspended) : create_suspended_(create_suspended) {
  // Zero stack size: the executable's default.
  handle_ = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &thread_id_);
  if (handle_ == nullptr) RaiseCreationError(__builtin_return_address(0));
}

TThread::~TThread() {
  if (handle_ == nullptr) return;
  if (!finished_) {
    // A thread that never ran is started only to end at once; one that
    // cannot be started is left suspended rather than waited for for ever.
    Terminate();
    const bool runs = !suspended_ || ResumeThread(handle_) != static_cast<DWORD>(-1);
    if (runs) WaitForSingleObject(handle_, INFINITE);
  }
  CloseHandle(handle_);
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
