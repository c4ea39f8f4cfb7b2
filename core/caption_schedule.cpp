#include "core/caption_schedule.h"

#include "core/caption_table.h"

namespace {
constexpr std::int32_t kClockStep = 50;
constexpr std::int32_t kClockPeriod = 3000;
}  // namespace

void AdvanceCaption() {
  CaptionClock += kClockStep;
  if (CaptionClock < kClockPeriod) return;

  ++CaptionIndex;
  CaptionClock = 0;
  if (CaptionIndex >= 1 && CaptionIndex < kCaptionRows) {
    CaptionText = CaptionRow(CaptionIndex);
  } else if (CaptionIndex == kCaptionRows) {
    // "THE END" leads back to row 1 on the next switch; the starting caption
    // never returns.
    CaptionText = CaptionRow(kCaptionRows);
    CaptionIndex = 0;
  }
}

void ResetCaptionSchedule() {
  CaptionText = kStartingCaption;
  CaptionClock = 0;
  CaptionIndex = 0;
}

void ReleaseCaptionText() {
  CaptionText.clear();
  CaptionText.shrink_to_fit();
}
