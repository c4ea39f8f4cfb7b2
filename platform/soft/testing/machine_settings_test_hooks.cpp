// A machine whose settings tests may change. It takes the place of the
// platform's kernel/machine_settings.cpp: test programs link this object
// directly, so the linker never pulls that one from the platform's archive.
// Tests change it through the probe (tests/support/platform_probe.h).
#include <atomic>

#include "platform/soft/kernel/system_info.h"
#include "tests/support/platform_probe.h"

namespace soft {
namespace {

// Any thread may ask while a test changes them, hence atomics.
struct MachineSettings {
  std::atomic<int> screen_dpi{kStandardScreenDpi};
  std::atomic<bool> double_byte_locale{false};
  std::atomic<BYTE> system_font_charset{kStandardSystemFontCharset};
};

MachineSettings& Settings() {
  static MachineSettings settings;
  return settings;
}

}  // namespace

int ScreenDpi() { return Settings().screen_dpi.load(); }

bool DoubleByteLocale() { return Settings().double_byte_locale.load(); }

BYTE SystemFontCharset() { return Settings().system_font_charset.load(); }

}  // namespace soft

namespace probe {

void SetScreenDpi(int dpi) { soft::Settings().screen_dpi.store(dpi); }

void SetDoubleByteLocale(bool enabled, unsigned char system_charset) {
  soft::Settings().double_byte_locale.store(enabled);
  soft::Settings().system_font_charset.store(system_charset);
}

}  // namespace probe
