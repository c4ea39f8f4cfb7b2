// The drawing layer's module-wide state, made at start-up on the main thread
// and shared, under its own locks, by every thread that draws.
#pragma once

#include <memory>

#include "platform/win32.h"
#include "raster/bitmap_contexts.h"
#include "raster/critical_section.h"
#include "raster/resource_manager.h"

// The screen's pixels per inch, read once at start-up.
extern int ScreenDpi;

// Stock objects selected into a context in place of the layer's own, so that
// those can be deleted.
extern HGDIOBJ NeutralPen;
extern HGDIOBJ NeutralBrush;
extern HGDIOBJ NeutralFont;

// Guards the swapping and counting of bitmap images.
extern std::unique_ptr<TCriticalSection> ImageLock;
extern std::unique_ptr<TBitmapContexts> BitmapContexts;

void StartRasterModule();
void StopRasterModule();
