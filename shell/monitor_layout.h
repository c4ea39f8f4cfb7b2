// Where the full-screen screensaver puts its windows: one per monitor, so
// that no seam between monitors cuts the picture. One of them shows the
// animation; the others show a copy of its frames stretched to their size.
#pragma once

#include <vector>

#include "platform/win32.h"

struct MonitorArea {
  RECT rect;  // in virtual-screen coordinates
  bool primary = false;
};

struct SaverWindowPlace {
  RECT rect;
  bool animated = false;
};

// The animated window first (on the primary monitor), then the copies in the
// monitors' order. Monitors of no area are left out, and so is a monitor
// that lies inside another (a mirrored display): the larger one covers it,
// and takes over its being primary.
std::vector<SaverWindowPlace> PlaceSaverWindows(const std::vector<MonitorArea>& monitors);
