// Plays the desktop's screen saver settings for nosignal.scr under Wine: it
// starts the screensaver with a window of its own on the command line and
// reports, one fact a line, what came of it.
//   screensaver_host preview SCR          /p in a window, resized, then destroyed
//   screensaver_host box SCR ARGUMENT...  the box the screensaver shows, closed
// In the arguments, {host} is the host window's handle and {gone} that of a
// window already destroyed.
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

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (OwnedBy(window, search->process_id) && std::string(name) == "#32770") search->found = window;
  return search->found == nullptr;
}

BOOL CALLBACK FindText(HWND window, LPARAM text) {
  char name[64] = {}, words[1024] = {};
  GetClassNameA(window, name, sizeof name);
  GetWindowTextA(window, words, sizeof words);
  if (_stricmp(name, "Static") == 0 && words[0] != '\0') *reinterpret_cast<std::string*>(text) = words;
  return TRUE;
}

void Replace(std::string& text, const std::string& name, HWND window) {
  const auto at = text.find(name);
  if (at != std::string::npos) text.replace(at, name.size(), std::to_string(reinterpret_cast<UINT_PTR>(window)));
}

int Box(const std::string& scr, int count, char** arguments) {
  const HWND host = MakeWindow(200, 100);
  const HWND gone = MakeWindow(50, 50);
  DestroyWindow(gone);
  std::string command = "\"" + scr + "\"";
  for (int index = 0; index < count; ++index) {
    std::string argument = arguments[index];
    Replace(argument, "{host}", host);
    Replace(argument, "{gone}", gone);
    command += " " + argument;
  }
  const PROCESS_INFORMATION process = Start(command);
  Search search{process.dwProcessId, nullptr};
  std::string text;
  // The box is found as soon as it exists, its text a little later.
  PumpUntil([&] {
    if (search.found == nullptr) EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) EnumChildWindows(search.found, FindText, reinterpret_cast<LPARAM>(&text));
    return !text.empty() || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
  });
  if (search.found != nullptr) {
    const HWND owner = GetWindow(search.found, GW_OWNER);
    std::printf("box owner %s\ntext %s\n", owner == host ? "host" : owner ? "other" : "none", text.c_str());
    PostMessageA(search.found, WM_COMMAND, IDOK, 0);
  } else {
    std::printf("no box\n");
  }
  ReportExit(process);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "preview" && argc == 3) return Preview(argv[2]);
  if (mode == "box" && argc > 2) return Box(argv[2], argc - 3, argv + 3);
  std::printf("usage: screensaver_host preview|box SCR [ARGUMENT...]\n");
  return 2;
}
