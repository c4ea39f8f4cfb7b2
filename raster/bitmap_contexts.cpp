#include "raster/bitmap_contexts.h"

#include <algorithm>

#include "raster/bitmap_canvas.h"

void TBitmapContexts::Add(TBitmapCanvas* canvas, HBITMAP bitmap) {
  TLockScope scope(lock_);
  holdings_.push_back({canvas, bitmap});
}

void TBitmapContexts::Remove(TBitmapCanvas* canvas) {
  TLockScope scope(lock_);
  std::erase_if(holdings_, [canvas](const THolding& holding) { return holding.canvas == canvas; });
}

// The canvases whose lock was free are returned locked: none of them can
// change or go before DropLocked has dropped its context.
template <class Match>
std::vector<TBitmapCanvas*> TBitmapContexts::LockIdle(Match match) {
  TLockScope scope(lock_);
  std::vector<TBitmapCanvas*> locked;
  for (const THolding& holding : holdings_) {
    if (match(holding) && holding.canvas->CanvasLock().TryEnter()) locked.push_back(holding.canvas);
  }
  return locked;
}

void TBitmapContexts::DropLocked(const std::vector<TBitmapCanvas*>& canvases) {
  for (TBitmapCanvas* canvas : canvases) {
    canvas->DropContext();
    canvas->CanvasLock().Leave();
  }
}

void TBitmapContexts::DropHolding(HBITMAP bitmap, const TBitmapCanvas* keep) {
  DropLocked(LockIdle([&](const THolding& holding) {
    return holding.canvas != keep && holding.bitmap == bitmap;
  }));
}

void TBitmapContexts::DropIdle() {
  DropLocked(LockIdle([](const THolding&) { return true; }));
}

std::size_t TBitmapContexts::Count() {
  TLockScope scope(lock_);
  return holdings_.size();
}
