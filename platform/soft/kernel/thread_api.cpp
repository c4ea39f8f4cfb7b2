// Threads for the Win32 subset: CreateThread (honouring CREATE_SUSPENDED),
// ResumeThread, waiting, exit codes and Sleep, over POSIX threads.
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/soft/kernel/thread_state.h"
#include "platform/win32.h"

namespace {

// What a thread handle refers to. Shared by the handle and the running
// thread, so either may go first.
struct ThreadRecord {
  LPTHREAD_START_ROUTINE start = nullptr;
  LPVOID parameter = nullptr;
  DWORD id = 0;
  std::mutex mutex;
  std::condition_variable changed;
  DWORD suspend_count = 0;
  bool finished = false;
  DWORD exit_code = 0;
};

// Thread handles live apart from the GDI handle table, in a range of values
// that table never hands out; ids are never reused, so a closed handle stays
// invalid.
constexpr std::uintptr_t kHandleTag = std::uintptr_t{0x7E} << (sizeof(void*) * 8 - 8);

// The thread services' state: the open thread handles and the ids handed out.
struct ThreadServices {
  std::mutex mutex;  // guards handles and last_handle_id
  std::map<std::uintptr_t, std::shared_ptr<ThreadRecord>> handles;
  std::uintptr_t last_handle_id = 0;
  std::atomic<DWORD> last_thread_id{0};
};

// Never destroyed: a detached thread may still end after the process's
// static objects are gone.
ThreadServices& Services() {
  static ThreadServices* services = new ThreadServices;
  return *services;
}

HANDLE AddHandle(std::shared_ptr<ThreadRecord> record) {
  ThreadServices& services = Services();
  std::lock_guard lock(services.mutex);
  const std::uintptr_t id = ++services.last_handle_id;
  services.handles.emplace(id, std::move(record));
  return reinterpret_cast<HANDLE>(kHandleTag | id);
}

std::shared_ptr<ThreadRecord> FindHandle(HANDLE handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if ((value & kHandleTag) != kHandleTag) return nullptr;
  ThreadServices& services = Services();
  std::lock_guard lock(services.mutex);
  const auto found = services.handles.find(value & ~kHandleTag);
  return found == services.handles.end() ? nullptr : found->second;
}

void* RunThread(void* argument) {
  auto* handoff = static_cast<std::shared_ptr<ThreadRecord>*>(argument);
  const std::shared_ptr<ThreadRecord> record = std::move(*handoff);
  delete handoff;
  soft::ThisThread().id = record->id;
  {
    std::unique_lock lock(record->mutex);
    record->changed.wait(lock, [&] { return record->suspend_count == 0; });
  }
  const DWORD code = record->start(record->parameter);
  {
    std::lock_guard lock(record->mutex);
    record->finished = true;
    record->exit_code = code;
  }
  record->changed.notify_all();
  return nullptr;
}

}  // namespace

HANDLE CreateThread(SECURITY_ATTRIBUTES*, SIZE_T stack_size, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, LPDWORD thread_id) {
  if (start == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto record = std::make_shared<ThreadRecord>();
  record->start = start;
  record->parameter = parameter;
  record->id = ++Services().last_thread_id;
  record->suspend_count = (flags & CREATE_SUSPENDED) != 0 ? 1 : 0;

  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  // Zero takes the system's default stack, as on Windows.
  if (stack_size != 0) pthread_attr_setstacksize(&attributes, stack_size);
  // The new thread owns a reference of its own until it starts.
  auto* handoff = new std::shared_ptr<ThreadRecord>(record);
  pthread_t thread;
  const int error = pthread_create(&thread, &attributes, RunThread, handoff);
  pthread_attr_destroy(&attributes);
  if (error != 0) {
    delete handoff;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (thread_id != nullptr) *thread_id = record->id;
  return AddHandle(std::move(record));
}

DWORD ResumeThread(HANDLE thread) {
  const auto record = FindHandle(thread);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  DWORD previous;
  {
    std::lock_guard lock(record->mutex);
    previous = record->suspend_count;
    if (record->suspend_count > 0) --record->suspend_count;
  }
  record->changed.notify_all();
  return previous;
}

DWORD GetCurrentThreadId() {
  // Threads this platform did not start (the main thread, tests' own
  // threads) get their id on first use.
  DWORD& id = soft::ThisThread().id;
  if (id == 0) id = ++Services().last_thread_id;
  return id;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  const auto record = FindHandle(object);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  std::unique_lock lock(record->mutex);
  const auto finished = [&] { return record->finished; };
  if (milliseconds == INFINITE) {
    record->changed.wait(lock, finished);
    return WAIT_OBJECT_0;
  }
  return record->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), finished)
             ? WAIT_OBJECT_0
             : WAIT_TIMEOUT;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code) {
  const auto record = FindHandle(thread);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (exit_code == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(record->mutex);
  *exit_code = record->finished ? record->exit_code : STILL_ACTIVE;
  return TRUE;
}

BOOL CloseHandle(HANDLE object) {
  const auto value = reinterpret_cast<std::uintptr_t>(object);
  ThreadServices& services = Services();
  std::lock_guard lock(services.mutex);
  if ((value & kHandleTag) != kHandleTag || services.handles.erase(value & ~kHandleTag) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

void Sleep(DWORD milliseconds) {
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
