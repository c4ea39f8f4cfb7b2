// The animation's state: the only globals of the program that change, each
// declared beside the code that uses it. RandomState and the caption's
// schedule belong to the animation thread alone; FrameWidth and FrameHeight
// are written by the main thread and read by the animation thread, so each is
// atomic. MainWindow, the one more, lives with the shell's main window.
#include "core/caption_schedule.h"
#include "core/frame_size.h"
#include "core/random_source.h"

std::uint32_t RandomState = 0;

std::string CaptionText = kStartingCaption;
std::int32_t CaptionClock = 0;
std::int32_t CaptionIndex = 0;

std::atomic<std::int32_t> FrameWidth{0};
std::atomic<std::int32_t> FrameHeight{0};
