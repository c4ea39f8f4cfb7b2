// The drawing layer's module-wide state. StartRasterModule makes it on the
// main thread; every thread that draws shares it under its own locks. Each
// pen, brush, font, bitmap and canvas holds the state it was made under, so
// one that outlives StopRasterModule keeps working and lets go cleanly, and
// the state goes with the last of them.
#pragma once

#include <memory>

#include "platform/win32.h"
#include "raster/bitmap_contexts.h"
#include "raster/critical_section.h"
#include "raster/descriptions.h"
#include "raster/resource_manager.h"

// The members are made in this order at start-up.
//
// Lock order: a canvas's CanvasLock comes before every lock here, and no
// lock here is held while waiting for a canvas's lock (the registry only
// tries one without waiting). A cache's lock, ImageLock and the registry's
// lock are never held together.
struct TRasterModule {
  TRasterModule();
  TRasterModule(const TRasterModule&) = delete;
  TRasterModule& operator=(const TRasterModule&) = delete;

  // The screen's pixels per inch, read once.
  const int ScreenDpi;
  // Guards the swapping and counting of bitmap images.
  TCriticalSection ImageLock;
  // Stock objects selected into a context in place of the layer's own, so
  // that those can be deleted.
  const HGDIOBJ NeutralPen;
  const HGDIOBJ NeutralBrush;
  const HGDIOBJ NeutralFont;
  // Depends on the screen and the locale.
  const FontKey DefaultFontKey;
  TResourceManager FontCache;
  TResourceManager PenCache;
  TResourceManager BrushCache;
  TBitmapContexts BitmapContexts;
};

void StartRasterModule();
// Drops the contexts of idle bitmap canvases and lets go of the module;
// objects still alive keep it until they go.
void StopRasterModule();

// The running module, for a new object to hold. Raises EInvalidOperation
// when the module is not running.
std::shared_ptr<TRasterModule> RasterModule();
