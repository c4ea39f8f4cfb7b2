// The way of a message box once MessageBoxA has its text and caption in
// UTF-8.
#pragma once

#include <string>

#include "platform/win32.h"

namespace soft {

// Hands the box on: in the programs to the desktop. Defined alone in
// window_message_box_delivery.cpp, so that the test library can catch the
// boxes by defining it in its place at link time.
void DeliverMessageBox(const std::string& text, const std::string& caption, UINT type);

// The desktop's box, or a line on standard error when no desktop shows it.
void ShowMessageBoxOnDesktop(const std::string& text, const std::string& caption, UINT type);

}  // namespace soft
