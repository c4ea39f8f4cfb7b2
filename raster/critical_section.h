// A re-entrant lock over the platform's critical section, and a scope that
// holds one (or none) for its lifetime.
#pragma once

#include "platform/win32.h"

class TCriticalSection {
 public:
  TCriticalSection() { InitializeCriticalSection(&section_); }
  ~TCriticalSection() { DeleteCriticalSection(&section_); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter() { EnterCriticalSection(&section_); }
  bool TryEnter() { return TryEnterCriticalSection(&section_) != FALSE; }
  void Leave() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_{};
};

// A graphics object without a canvas has no lock to take, hence the pointer.
class TLockScope {
 public:
  explicit TLockScope(TCriticalSection* lock) : lock_(lock) {
    if (lock_ != nullptr) lock_->Enter();
  }
  explicit TLockScope(TCriticalSection& lock) : TLockScope(&lock) {}
  ~TLockScope() {
    if (lock_ != nullptr) lock_->Leave();
  }
  TLockScope(const TLockScope&) = delete;
  TLockScope& operator=(const TLockScope&) = delete;

 private:
  TCriticalSection* lock_;
};
