// The registry of bitmap canvases that currently own a memory context, so
// that a platform bitmap is never selected into two contexts at once.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win32.h"
#include "raster/critical_section.h"

class TBitmapCanvas;

class TBitmapContexts {
 public:
  void Add(TBitmapCanvas* canvas);
  void Remove(TBitmapCanvas* canvas);
  // Drops the context of every other canvas that holds bitmap.
  void DropHolding(HBITMAP bitmap, const TBitmapCanvas* keep);
  // At shut-down: drops the contexts of the canvases not busy on another
  // thread, without waiting for any.
  void DropIdle();
  std::size_t Count();

 private:
  std::vector<TBitmapCanvas*> Snapshot();

  TCriticalSection lock_;
  std::vector<TBitmapCanvas*> canvases_;
};
