// Writes the current caption across the frame like a weak broadcast: silver,
// then white over it, each copy shaken by up to a pixel; one frame in 21
// tilted, one in 70 thrown to a random place.
#pragma once

#include "core/frame_trace.h"
#include "raster/canvas.h"

void PaintCaption(TCanvas& canvas, int width, int height, TextTrace* trace = nullptr);

// Re-creates the canvas font from its own description with quality 200 and,
// when tilt (tenths of a degree) is not 0, an escapement of that size in a
// random direction.
void ApplyCaptionFont(TCanvas& canvas, float tilt);
