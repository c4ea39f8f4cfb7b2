// Paints one complete frame of the no-signal picture and puts it into the
// main window: static, scratch lines, rings, now and then the twin rings,
// and the caption. Runs on the animation thread only.
#pragma once

#include <memory>

#include "core/frame_trace.h"
#include "platform/win32.h"
#include "raster/bitmap.h"

// One frame at the size the main thread last published, copied into the
// window at its client origin.
void ComposeFrame(HWND window, FrameTrace* trace = nullptr);

// Everything ComposeFrame draws before the copy into the window: a fresh
// 24-bit bitmap of width x height. nosignal-render writes these to files.
std::unique_ptr<TBitmap> BuildFrame(int width, int height, FrameTrace* trace = nullptr);

// The picture without its caption: static, scratch lines, rings, twin rings.
std::unique_ptr<TBitmap> BuildStaticFrame(int width, int height, FrameTrace* trace = nullptr);

// A new 24-bit bitmap of width x height, all white: the start of every frame.
std::unique_ptr<TBitmap> MakeWhiteBitmap(int width, int height);

// Row by row from the top, straight into the bitmap's memory: one random
// grey from 0 to 89 per pixel, for every pixel the bitmap has and no more.
void FillWithStatic(TBitmap& bitmap);

// Copies a finished frame into the window at its client origin.
void PresentFrame(HWND window, TBitmap& bitmap);
