// MessageBoxA: the desktop's message box, or standard error when there is no
// desktop to show one on.
#include <SDL.h>

#include <cstdio>
#include <mutex>
#include <string>

#include "platform/soft/text/text_codepage.h"
#include "platform/soft/testing/window_test_hooks.h"
#include "platform/win32.h"

namespace {

// Where message boxes go instead of the desktop, when a test has said so.
struct MessageBoxState {
  std::mutex mutex;  // guards sink
  soft::MessageBoxSink sink;
};

// Never destroyed: a thread may still report an error while the process exits.
MessageBoxState& State() {
  static MessageBoxState* const state = new MessageBoxState;
  return *state;
}

// The platform's caption for a box that names none.
constexpr const char* kDefaultCaption = "Error";

}  // namespace

namespace soft {

void SetMessageBoxSink(MessageBoxSink new_sink) {
  MessageBoxState& state = State();
  std::lock_guard lock(state.mutex);
  state.sink = std::move(new_sink);
}

}  // namespace soft

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  const std::string message = soft::Cp1251ToUtf8(text != nullptr ? text : "");
  const std::string title =
      soft::Cp1251ToUtf8(caption != nullptr && caption[0] != '\0' ? caption : kDefaultCaption);
  {
    MessageBoxState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.sink) {
      state.sink(message, title, type);
      return IDOK;
    }
  }
  const Uint32 flags =
      (type & MB_ICONHAND) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(flags, title.c_str(), message.c_str(), nullptr) != 0) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    std::fflush(stderr);
  }
  return IDOK;
}
