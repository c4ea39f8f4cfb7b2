// The runtime's last resort: an exception that reaches the top of the main
// thread is shown in the "Application Error" box.
#pragma once

#include <exception>
#include <string>

// "Exception <class> in module <file> at <address>.\r\n<message>[.]\r\n"
std::string ApplicationErrorText(const std::exception& error);

// Shows the text above in a task-modal box with the stop icon.
void ShowApplicationError(const std::exception& error);
