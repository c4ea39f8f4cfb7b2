// Lets tests start the process "as if" its starter had asked for a show
// command. Not part of the Win32 subset.
#pragma once

namespace soft {

// From now on GetStartupInfoA reports STARTF_USESHOWWINDOW with this show
// command; a negative value goes back to reporting none (tests only).
void SetStartupShowCommand(int command);

}  // namespace soft
