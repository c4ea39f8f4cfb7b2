// The probe over the software platform: it asks the handle table directly.
// Its steering calls are defined by the platform's test hooks
// (platform/soft/testing), which every test program links.
#include <cstdlib>

#include "platform/soft/soft.h"
#include "support/platform_probe.h"

namespace probe {

LiveCounts CountLive() {
  const soft::LiveCounts live = soft::CountLive();
  return {live.pens, live.brushes, live.fonts, live.bitmaps, live.dcs, live.windows};
}

long MisuseCount() { return soft::MisuseCount(); }
void UseTestDisplay() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

}  // namespace probe
