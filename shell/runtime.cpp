#include "shell/runtime.h"

#include "core/caption_schedule.h"
#include "platform/win32.h"
#include "raster/raster_module.h"

namespace {

// What the runtime learnt at start-up. Written and read on the main thread
// only, so no lock.
struct RuntimeState {
  int startup_show_command = SW_SHOWDEFAULT;
};

RuntimeState& State() {
  static RuntimeState state;
  return state;
}

int TakeStartupShowCommand() {
  STARTUPINFOA info{};
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) != 0 ? info.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

void StartRuntime() {
  StartRasterModule();
  State().startup_show_command = TakeStartupShowCommand();
}

void StopRuntime() {
  ReleaseCaptionText();
  StopRasterModule();
}

int StartupShowCommand() { return State().startup_show_command; }
