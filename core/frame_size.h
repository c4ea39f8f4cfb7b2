// The main window's outer size, published by the main thread after every
// message and read once per frame by the animation thread. Each value is
// atomic on its own; a frame may see the width of one moment and the height
// of the next. Part of the animation's state (core/animation_state.cpp).
#pragma once

#include <atomic>
#include <cstdint>

extern std::atomic<std::int32_t> FrameWidth;
extern std::atomic<std::int32_t> FrameHeight;
