#include "platform/soft/kernel/thread_state.h"

namespace soft {

ThreadState& ThisThread() {
  thread_local ThreadState state;
  return state;
}

}  // namespace soft
