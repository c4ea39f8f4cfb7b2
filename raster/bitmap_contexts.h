// The registry of bitmap canvases that currently own a memory context, with
// the platform bitmap each has selected, so that a platform bitmap is never
// selected into two contexts at once.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win32.h"
#include "raster/critical_section.h"

class TBitmapCanvas;

class TBitmapContexts {
 public:
  // Called by a canvas holding its own lock.
  void Add(TBitmapCanvas* canvas, HBITMAP bitmap);
  void Remove(TBitmapCanvas* canvas);
  // Drops the context of every other canvas that holds bitmap, except one
  // whose lock another thread holds right now.
  void DropHolding(HBITMAP bitmap, const TBitmapCanvas* keep);
  // At shut-down: drops the contexts of the canvases not busy on another
  // thread, without waiting for any.
  void DropIdle();
  std::size_t Count();

 private:
  struct THolding {
    TBitmapCanvas* canvas;
    HBITMAP bitmap;
  };
  template <class Match>
  std::vector<TBitmapCanvas*> LockIdle(Match match);
  static void DropLocked(const std::vector<TBitmapCanvas*>& canvases);

  // Lock order: a canvas's lock, then this one. Holding this lock the
  // registry only tries a canvas's lock, never waits for one, and it drops
  // contexts only after letting go of it.
  TCriticalSection lock_;
  std::vector<THolding> holdings_;
};
