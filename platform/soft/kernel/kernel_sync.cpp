// Critical sections (re-entrant locks).
#include <mutex>

#include "platform/soft/kernel/misuse.h"
#include "platform/win32.h"

namespace {

std::recursive_mutex* LockOf(LPCRITICAL_SECTION section) {
  auto* lock = section != nullptr ? static_cast<std::recursive_mutex*>(section->impl) : nullptr;
  // Using a section that was never initialised, or already deleted, would
  // crash on Windows; here it is counted and ignored.
  if (lock == nullptr) soft::NoteMisuse();
  return lock;
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
  if (section != nullptr) section->impl = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
  if (auto* lock = LockOf(section)) lock->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  auto* lock = LockOf(section);
  return lock != nullptr && lock->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
  if (auto* lock = LockOf(section)) lock->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  if (section == nullptr) return;
  delete static_cast<std::recursive_mutex*>(section->impl);
  section->impl = nullptr;
}
