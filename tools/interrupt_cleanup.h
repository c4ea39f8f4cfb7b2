// An interrupt (SIGINT, SIGTERM, or SIGPIPE where it exists) while a file is
// half-written removes that file, then ends the program by the same signal.
#pragma once

#include <filesystem>

// Leaves alone any of the signals the program was started with ignored.
void InstallInterruptCleanup();

// The file to remove on an interrupt, or nullptr for none. The path must
// stay alive and unchanged until it is replaced.
void RemoveOnInterrupt(const std::filesystem::path* path);
