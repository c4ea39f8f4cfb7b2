#include "raster/raster_module.h"

#include <array>
#include <mutex>

#include "raster/exceptions.h"

namespace {

constexpr int kFallbackDpi = 96;

// The proportional Gothic face of Japanese systems, in code page 932.
constexpr std::array<unsigned char, 15> kFarEastFace = {
    0x82, 0x6C, 0x82, 0x72, 0x20, 0x82, 0x6F, 0x83, 0x53, 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E};

int ReadScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  // Without a figure every point size would come out as nonsense.
  return dpi > 0 ? dpi : kFallbackDpi;
}

BYTE SystemFontCharset(HGDIOBJ system_font) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return DEFAULT_CHARSET;
  HGDIOBJ previous = SelectObject(screen, system_font);
  TEXTMETRICA metrics{};
  const BYTE charset = GetTextMetricsA(screen, &metrics) ? metrics.tmCharSet : DEFAULT_CHARSET;
  if (previous != nullptr) SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return charset;
}

FontKey MakeDefaultFontKey(int dpi, HGDIOBJ system_font) {
  FontKey key;
  key.Height = -MulDiv(8, dpi, 72);
  key.Charset = DEFAULT_CHARSET;
  key.Name = TFontName("MS Sans Serif");
  if (GetSystemMetrics(SM_DBCSENABLED) != 0 && SystemFontCharset(system_font) == SHIFTJIS_CHARSET) {
    key.Charset = SHIFTJIS_CHARSET;
    key.Height = -MulDiv(9, dpi, 72);
    key.Name = TFontName(std::string_view(reinterpret_cast<const char*>(kFarEastFace.data()),
                                          kFarEastFace.size()));
  }
  return key;
}

// The module that new objects join; StartRasterModule and StopRasterModule
// run on the main thread while another thread may be making objects.
class TRunningModule {
 public:
  void Set(std::shared_ptr<TRasterModule> module) {
    std::lock_guard lock(mutex_);
    module_.swap(module);
  }
  std::shared_ptr<TRasterModule> Get() {
    std::lock_guard lock(mutex_);
    return module_;
  }

 private:
  std::mutex mutex_;
  std::shared_ptr<TRasterModule> module_;
};

TRunningModule& RunningModule() {
  static TRunningModule running;
  return running;
}

}  // namespace

TRasterModule::TRasterModule()
    : ScreenDpi(ReadScreenDpi()),
      NeutralPen(GetStockObject(BLACK_PEN)),
      NeutralBrush(GetStockObject(NULL_BRUSH)),
      NeutralFont(GetStockObject(SYSTEM_FONT)),
      DefaultFontKey(MakeDefaultFontKey(ScreenDpi, NeutralFont)),
      FontCache(kFontKeySize),
      PenCache(kPenKeySize),
      BrushCache(kBrushKeySize) {}

void StartRasterModule() { RunningModule().Set(std::make_shared<TRasterModule>()); }

void StopRasterModule() {
  std::shared_ptr<TRasterModule> module = RunningModule().Get();
  if (module == nullptr) return;
  module->BitmapContexts.DropIdle();
  RunningModule().Set(nullptr);
}

std::shared_ptr<TRasterModule> RasterModule() {
  std::shared_ptr<TRasterModule> module = RunningModule().Get();
  if (module == nullptr) throw EInvalidOperation("The drawing layer is not running");
  return module;
}
