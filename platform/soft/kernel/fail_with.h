// The failure path of a call, in one expression.
#pragma once

#include "platform/win32.h"

namespace soft {

// For a call's failure path: sets the calling thread's last error and gives
// back result.
template <class Result>
Result FailWith(DWORD error, Result result) {
  SetLastError(error);
  return result;
}

}  // namespace soft
