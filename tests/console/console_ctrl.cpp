// Runs a program on a console of its own and, once a file matching a pattern
// appears, sends the console Ctrl+C, as a user at the keyboard would; prints
// the program's exit status in hex. For the render tests under Wine.
//   console_ctrl.exe PATTERN COMMAND-LINE
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The event reaches this program too, which lives on. (Ignoring it instead
// would be inherited by the program, which would then ignore it as well.)
BOOL WINAPI Survive(DWORD) { return TRUE; }

bool Appeared(const wchar_t* pattern) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: console_ctrl PATTERN COMMAND-LINE\n", stderr);
    return 2;
  }
  // The program's output goes where this one's went; the console is a new one.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  FreeConsole();
  if (!AllocConsole()) {
    std::fprintf(stderr, "no console: error %lu\n", GetLastError());
    return 2;
  }
  SetConsoleCtrlHandler(Survive, TRUE);
  std::wstring command = argv[2];
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start the program: error %lu\n", GetLastError());
    return 2;
  }
  // Waits for the file, or for the program to end first: a generous limit.
  for (int tick = 0; tick < 1200 && !Appeared(argv[1]); ++tick) {
    if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) break;
  }
  const bool seen = Appeared(argv[1]);
  if (seen) GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
  if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  std::printf("%s %08lx\n", seen ? "sent" : "not-seen", status);
  return 0;
}
