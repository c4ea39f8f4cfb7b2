#include "core/frame_size.h"

std::atomic<std::int32_t> FrameWidth{0};
std::atomic<std::int32_t> FrameHeight{0};
