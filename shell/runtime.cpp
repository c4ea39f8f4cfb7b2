#include "shell/runtime.h"

#include "core/caption_schedule.h"
#include "platform/win32.h"
#include "raster/raster_module.h"

namespace {

int startup_show_command = SW_SHOWDEFAULT;

int TakeStartupShowCommand() {
  STARTUPINFOA info{};
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) != 0 ? info.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

void StartRuntime() {
  StartRasterModule();
  startup_show_command = TakeStartupShowCommand();
}

void StopRuntime() {
  ReleaseCaptionText();
  StopRasterModule();
}

int StartupShowCommand() { return startup_show_command; }
