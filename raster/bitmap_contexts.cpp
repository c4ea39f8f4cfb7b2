#include "raster/bitmap_contexts.h"

#include <algorithm>

#include "raster/bitmap_canvas.h"

void TBitmapContexts::Add(TBitmapCanvas* canvas) {
  TLockScope scope(lock_);
  canvases_.push_back(canvas);
}

void TBitmapContexts::Remove(TBitmapCanvas* canvas) {
  TLockScope scope(lock_);
  canvases_.erase(std::remove(canvases_.begin(), canvases_.end(), canvas), canvases_.end());
}

std::vector<TBitmapCanvas*> TBitmapContexts::Snapshot() {
  TLockScope scope(lock_);
  return canvases_;
}

void TBitmapContexts::DropHolding(HBITMAP bitmap, const TBitmapCanvas* keep) {
  TLockScope scope(lock_);
  // Dropping a context removes its canvas from the list, so walk a copy.
  for (TBitmapCanvas* canvas : Snapshot()) {
    if (canvas != keep && canvas->HeldBitmap() == bitmap) canvas->DropContext();
  }
}

void TBitmapContexts::DropIdle() {
  TLockScope scope(lock_);
  for (TBitmapCanvas* canvas : Snapshot()) {
    if (!canvas->CanvasLock().TryEnter()) continue;
    canvas->DropContext();
    canvas->CanvasLock().Leave();
  }
}

std::size_t TBitmapContexts::Count() {
  TLockScope scope(lock_);
  return canvases_.size();
}
