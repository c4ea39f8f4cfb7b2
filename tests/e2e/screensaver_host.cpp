// Plays the screen saver settings' preview for nosignal.scr under Wine:
// starts "SCR /p HWND" with a window of its own, resizes that window and
// destroys it, and reports, one fact a line, what came of it.
//   screensaver_host SCR
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

// Waits for a condition while the host's messages flow (the screensaver's
// child window is attached to them), at most a generous minute.
template <class Condition>
bool PumpUntil(Condition condition) {
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > limit) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return true;
}

HWND MakeWindow(int width, int height) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "ScreensaverHost";
  RegisterClassA(&window_class);
  return CreateWindowExA(0, "ScreensaverHost", "settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, width, height,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

PROCESS_INFORMATION Start(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::printf("cannot start %s\n", command.c_str());
  }
  return process;
}

void ReportExit(const PROCESS_INFORMATION& process) {
  const bool ended = PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  if (ended) std::printf("exit %lu\n", code); else std::printf("still running\n");
  if (!ended) TerminateProcess(process.hProcess, 99);
}

std::string Size(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return std::to_string(client.right) + "x" + std::to_string(client.bottom);
}

bool OwnedBy(HWND window, DWORD process_id) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == process_id;
}

int Preview(const std::string& scr) {
  const HWND host = MakeWindow(320, 240);
  const PROCESS_INFORMATION process = Start("\"" + scr + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(host)));
  HWND child = nullptr;
  PumpUntil([&] { return (child = GetWindow(host, GW_CHILD)) != nullptr; });
  std::printf("child %s of %s\n", child ? (OwnedBy(child, process.dwProcessId) ? "theirs" : "ours") : "none",
              child ? "host" : "-");
  if (child != nullptr) {
    std::printf("size %s in %s\n", Size(child).c_str(), Size(host).c_str());
    SetWindowPos(host, nullptr, 0, 0, 420, 300, SWP_NOMOVE | SWP_NOZORDER);
    const bool followed = PumpUntil([&] { return Size(child) == Size(host); });
    std::printf("resized %s in %s%s\n", Size(child).c_str(), Size(host).c_str(), followed ? "" : " (not followed)");
  }
  DestroyWindow(host);
  ReportExit(process);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc == 2) return Preview(argv[1]);
  std::printf("usage: screensaver_host SCR\n");
  return 2;
}
