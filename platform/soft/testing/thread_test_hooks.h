// Settings that let tests reach the thread services' failure paths. Not part
// of the Win32 subset.
#pragma once

namespace soft {

// While set, CreateThread fails as if the system had no memory left for
// another thread: the system's thread creation answers EAGAIN.
void SetThreadCreationFails(bool fails);

}  // namespace soft
