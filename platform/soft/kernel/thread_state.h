// What the kernel keeps for each thread on its own. Only the thread itself
// reads or writes its state, so no lock guards it.
#pragma once

#include "platform/win32.h"

namespace soft {

struct ThreadState {
  DWORD last_error = ERROR_SUCCESS;  // what GetLastError reports
  DWORD id = 0;  // 0 until the thread has one: from its start, or its first GetCurrentThreadId
};

// The calling thread's state.
ThreadState& ThisThread();

}  // namespace soft
