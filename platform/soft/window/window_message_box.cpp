// MessageBoxA: the desktop's message box, or standard error when there is no
// desktop to show one on.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/soft/text/text_codepage.h"
#include "platform/soft/window/window_message_box.h"
#include "platform/win32.h"

namespace {

// The platform's caption for a box that names none.
constexpr const char* kDefaultCaption = "Error";

// SDL's box on X draws with the server's fonts in the character set of the
// locale the environment names, which it takes on itself: in a locale that
// is not UTF-8, or one that is not installed, the Cyrillic of our texts comes
// out blank or garbled. The texts are UTF-8, so the box is shown under the
// UTF-8 locale that every C library of this system has. Boxes come at
// start-up and when the animation cannot start: no other thread of ours
// reads the environment meanwhile.
class Utf8LocaleForTheBox {
 public:
  Utf8LocaleForTheBox() {
    if (const char* value = std::getenv(kName)) saved_ = value;
    setenv(kName, "C.UTF-8", 1);
  }
  ~Utf8LocaleForTheBox() {
    if (saved_) {
      setenv(kName, saved_->c_str(), 1);
    } else {
      unsetenv(kName);
    }
  }
  Utf8LocaleForTheBox(const Utf8LocaleForTheBox&) = delete;
  Utf8LocaleForTheBox& operator=(const Utf8LocaleForTheBox&) = delete;

 private:
  static constexpr const char* kName = "LC_ALL";
  std::optional<std::string> saved_;
};

bool ShowDesktopBox(Uint32 flags, const std::string& title, const std::string& message) {
  const Utf8LocaleForTheBox locale;
  return SDL_ShowSimpleMessageBox(flags, title.c_str(), message.c_str(), nullptr) == 0;
}

}  // namespace

namespace soft {

void ShowMessageBoxOnDesktop(const std::string& text, const std::string& caption, UINT type) {
  const Uint32 flags =
      (type & MB_ICONHAND) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (!ShowDesktopBox(flags, caption, text)) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
  }
}

}  // namespace soft

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  const std::string message = soft::Cp1251ToUtf8(text != nullptr ? text : "");
  const std::string title =
      soft::Cp1251ToUtf8(caption != nullptr && caption[0] != '\0' ? caption : kDefaultCaption);
  soft::DeliverMessageBox(message, title, type);
  return IDOK;
}
