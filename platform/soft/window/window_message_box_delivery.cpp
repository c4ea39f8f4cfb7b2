// Where the programs' message boxes go: to the desktop. Nothing else lives in
// this file, since the test library replaces exactly this definition.
#include "platform/soft/window/window_message_box.h"

namespace soft {

void DeliverMessageBox(const std::string& text, const std::string& caption, UINT type) {
  ShowMessageBoxOnDesktop(text, caption, type);
}

}  // namespace soft
