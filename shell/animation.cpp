#include "shell/animation.h"

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "raster/exceptions.h"
#include "shell/main_window.h"

namespace {

constexpr DWORD kPauseMilliseconds = 50;

// A frame the platform cannot make (a window made larger than any bitmap
// can be) is left out, and the clock goes on: the window shows frames again
// once it is small enough. A bitmap too large is refused before the frame
// takes its first random number, so the frames after it are the ones the
// sequence would have had anyway.
void ComposeFrameIfPossible() {
  try {
    ComposeFrame(MainWindow);
  } catch (const EOutOfResources&) {
  }
}

}  // namespace

void AnimationTick() {
  AdvanceCaption();
  ComposeFrameIfPossible();
  UpdateWindow(MainWindow);
  Sleep(kPauseMilliseconds);
}

void TTimer::Execute() {
  while (!Terminated()) AnimationTick();
}
