// The animation thread: the program's clock, one frame per tick.
#pragma once

#include "shell/thread.h"

// Advances the caption, composes a frame into the main window, lets the
// window repaint what is invalid and sleeps 50 ms.
void AnimationTick();

class TTimer : public TThread {
 public:
  TTimer() : TThread(false) {}

 protected:
  // Ticks until asked to stop. The flag is looked at once a tick, so
  // stopping takes at most one tick.
  void Execute() override;
};
