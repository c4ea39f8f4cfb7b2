// The probe over the software platform: it asks the handle table and the
// test hooks directly.
#include <cstdlib>

#include "platform/soft/soft.h"
#include "platform/soft/testing/machine_settings_test_hooks.h"
#include "platform/soft/testing/thread_test_hooks.h"
#include "platform/soft/testing/window_test_hooks.h"
#include "support/platform_probe.h"

namespace probe {

LiveCounts CountLive() {
  const soft::LiveCounts live = soft::CountLive();
  return {live.pens, live.brushes, live.fonts, live.bitmaps, live.dcs, live.windows};
}

long MisuseCount() { return soft::MisuseCount(); }
void SetScreenDpi(int dpi) { soft::SetScreenDpi(dpi); }
void SetDoubleByteLocale(bool enabled, unsigned char system_charset) {
  soft::SetDoubleByteLocale(enabled, system_charset);
}
void SetMessageBoxSink(MessageBoxSink sink) { soft::SetMessageBoxSink(std::move(sink)); }
void SetThreadCreationFails(bool fails) { soft::SetThreadCreationFails(fails); }
COLORREF ClientPixel(HWND window, int x, int y) { return soft::ClientPixel(window, x, y); }
void UseTestDisplay() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

}  // namespace probe
