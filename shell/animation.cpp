#include "shell/animation.h"

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "shell/main_window.h"

namespace {

constexpr DWORD kPauseMilliseconds = 50;

}  // namespace

void AnimationTick() {
  AdvanceCaption();
  ComposeFrame(MainWindow);
  UpdateWindow(MainWindow);
  Sleep(kPauseMilliseconds);
}

void TTimer::Execute() {
  while (!Terminated()) AnimationTick();
}
