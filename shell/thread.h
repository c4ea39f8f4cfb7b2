// The runtime's thread class: a platform thread that runs Execute once the
// object is complete, and keeps what went wrong instead of reporting it.
#pragma once

#include <atomic>
#include <exception>
#include <memory>
#include <utility>

#include "platform/win32.h"
#include "raster/exceptions.h"

// The platform thread could not be made or started.
class EThread : public Exception {
 public:
  EThread(std::string message, const void* address)
      : Exception(std::move(message)), address_(address) {}
  // Where in the program the failure was raised.
  const void* Address() const { return address_; }

 private:
  const void* address_;
};

// Made by StartThread, which starts the body once every constructor has
// finished and, when the object goes, stops and joins the body before any
// subclass member is destroyed.
class TThread {
 public:
  // The platform thread is always made suspended; it starts running only in
  // AfterConstruction, when every constructor has finished, unless the
  // creator asked for it to stay suspended.
  explicit TThread(bool create_suspended);
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void AfterConstruction();
  void Resume();
  // Asks the body to stop and waits until it has; a thread that never ran
  // is started only to end at once.
  void StopAndJoin();

  // Asks Execute to stop; Execute decides when it looks.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // Waits until the thread has finished and gives its exit code.
  DWORD WaitFor();

  bool Finished() const { return finished_; }
  // What escaped Execute, if anything; kept, never shown.
  std::exception_ptr FatalException() const;
  DWORD ThreadId() const { return thread_id_; }

 protected:
  virtual void Execute() = 0;

 private:
  static DWORD WINAPI ThreadProc(LPVOID parameter);

  HANDLE handle_ = nullptr;
  bool joined_ = false;
  DWORD thread_id_ = 0;
  bool create_suspended_;
  bool suspended_ = true;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatal_exception_;
};

// The most derived class of every thread object: its destructor runs first,
// so the body is joined while the members of T still exist.
template <class T>
class TJoinedThread final : public T {
 public:
  using T::T;
  ~TJoinedThread() override { this->StopAndJoin(); }
};

// Makes a thread object of class T and, once it is complete, starts it.
template <class T, class... Arguments>
std::unique_ptr<T> StartThread(Arguments&&... arguments) {
  std::unique_ptr<T> thread =
      std::make_unique<TJoinedThread<T>>(std::forward<Arguments>(arguments)...);
  thread->AfterConstruction();
  return thread;
}
