// Message boxes in test programs: caught by the sink a test has set, else
// shown as the programs show them. It takes the place of the platform's
// window/window_message_box_delivery.cpp: test programs link this object
// directly, so the linker never pulls that one from the platform's archive.
#include <mutex>

#include "platform/soft/window/window_message_box.h"
#include "tests/support/platform_probe.h"

namespace soft {
namespace {

struct MessageBoxState {
  std::mutex mutex;  // guards sink
  probe::MessageBoxSink sink;
};

// Never destroyed: a thread may still report an error while the process exits.
MessageBoxState& State() {
  static MessageBoxState* const state = new MessageBoxState;
  return *state;
}

}  // namespace

void DeliverMessageBox(const std::string& text, const std::string& caption, UINT type) {
  {
    MessageBoxState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.sink) {
      state.sink(text, caption, type);
      return;
    }
  }
  ShowMessageBoxOnDesktop(text, caption, type);
}

}  // namespace soft

void probe::SetMessageBoxSink(MessageBoxSink sink) {
  soft::MessageBoxState& state = soft::State();
  std::lock_guard lock(state.mutex);
  state.sink = std::move(sink);
}
