#include "shell/program.h"

#include <chrono>
#include <memory>

#include "platform/win32.h"
#include "shell/animation.h"
#include "shell/error_box.h"
#include "shell/handed_surface.h"
#include "shell/main_window.h"
#include "shell/message_loop.h"
#include "shell/runtime.h"
#include "shell/stop_signals.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

// "Window registration error" and "Window creation error", in Windows-1251.
constexpr const char* kRegistrationError =
    "\xCF\xEE\xEC\xE8\xEB\xEA\xE0 \xF0\xE5\xE3\xB3\xF1\xF2\xF0\xE0\xF6\xE8\xBF \xE2\xB3\xEA\xED\xE0";
constexpr const char* kCreationError =
    "\xCF\xEE\xEC\xE8\xEB\xEA\xE0 \xF1\xF2\xE2\xEE\xF0\xE5\xED\xED\xFF \xE2\xB3\xEA\xED\xE0";

// After the window is gone the animation must neither draw into it nor
// touch the drawing layer once shut-down releases it: stop it and wait. A
// tick waiting in UpdateWindow gives up because the window is gone; a tick
// still composing a very large frame (seconds at 8000x8000) is not waited
// for, so that closing stays quick: false then, and the process must end
// without shut-down.
bool StopAnimation(TTimer& timer) {
  constexpr DWORD kPollMilliseconds = 5;
  constexpr auto kTickWait = std::chrono::milliseconds(150);
  timer.Terminate();
  if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
  const auto deadline = std::chrono::steady_clock::now() + kTickWait;
  while (!timer.Finished()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(kPollMilliseconds);
  }
  timer.WaitFor();
  return true;
}

}  // namespace

// Ends the program once the window is gone. The abandoned tick's thread
// still uses the drawing layer, so nothing is shut down: the process ends
// with it, which loses nothing (the program keeps no data).
void EndAnimation(TTimer& timer, int exit_code) {
  if (!StopAnimation(timer)) ExitProcess(static_cast<UINT>(exit_code));
}

namespace {

// The program's own window, or the surface the command line names; on
// failure the exit code, the reason told.
HWND OpenMainWindow(const Launch& launch, int& exit_code) {
  if (launch.mode != LaunchMode::Window) {
    const HandedSurface surface = OpenHandedSurface(launch);
    exit_code = surface.exit_code;
    if (surface.window != nullptr) CloseOnStopSignals(surface.window);
    return surface.window;
  }
  const HWND window = CreateMainWindow();
  if (window == nullptr) {
    MessageBoxA(nullptr, kCreationError, nullptr, MB_OK);
    exit_code = kFailure;
  }
  return window;
}

int RunMainThread(const Launch& launch) {
  if (!RegisterMainClass()) {
    MessageBoxA(nullptr, kRegistrationError, nullptr, MB_OK);
    return kFailure;
  }
  int open_failure = kFailure;
  MainWindow = OpenMainWindow(launch, open_failure);
  if (MainWindow == nullptr) return open_failure;
  const std::unique_ptr<TTimer> timer = StartThread<TTimer>();
  try {
    ShowWindow(MainWindow, StartupShowCommand());
    UpdateWindow(MainWindow);
    RunMessageLoop(MainWindow);
  } catch (...) {
    EndAnimation(*timer, kFailure);
    throw;
  }
  EndAnimation(*timer, kSuccess);
  return kSuccess;
}

}  // namespace

int RunProgram() { return RunProgram(Launch{}); }

int RunProgram(const Launch& launch) {
  if (launch.mode != LaunchMode::Window) HoldStopSignals();
  StartRuntime();
  int exit_code;
  try {
    exit_code = RunMainThread(launch);
  } catch (const std::exception& error) {
    ShowApplicationError(error);
    exit_code = kFailure;
  }
  StopRuntime();
  return exit_code;
}
