// Which caption a frame shows: a clock driven by animation ticks, not by
// wall time. Each tick adds 50; at 3000 the next row of the table comes up.
#pragma once

#include <cstdint>
#include <string>

// The caption before the first switch.
inline constexpr const char* kStartingCaption = "d[^_^]b";

// The current caption, Windows-1251 bytes; kStartingCaption until the first
// switch. With the clock and the index, part of the animation's state
// (core/animation_state.cpp).
extern std::string CaptionText;
extern std::int32_t CaptionClock;
extern std::int32_t CaptionIndex;

// Called once at the start of every animation tick.
void AdvanceCaption();

// Puts the schedule back to its state at program start.
void ResetCaptionSchedule();

// Gives the caption's memory back at shut-down.
void ReleaseCaptionText();
