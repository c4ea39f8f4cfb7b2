#include "raster/raster_module.h"

#include <array>

int ScreenDpi = 0;
HGDIOBJ NeutralPen = nullptr;
HGDIOBJ NeutralBrush = nullptr;
HGDIOBJ NeutralFont = nullptr;
std::unique_ptr<TCriticalSection> ImageLock;
std::unique_ptr<TBitmapContexts> BitmapContexts;

namespace {

FontKey DefaultFont;

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

BYTE SystemFontCharset() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return DEFAULT_CHARSET;
  HGDIOBJ previous = SelectObject(screen, NeutralFont);
  TEXTMETRICA metrics{};
  const BYTE charset = GetTextMetricsA(screen, &metrics) ? metrics.tmCharSet : DEFAULT_CHARSET;
  if (previous != nullptr) SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return charset;
}

FontKey MakeDefaultFontKey() {
  FontKey key;
  key.Height = -MulDiv(8, ScreenDpi, 72);
  key.Charset = DEFAULT_CHARSET;
  key.Name = TFontName("MS Sans Serif");
  if (GetSystemMetrics(SM_DBCSENABLED) != 0 && SystemFontCharset() == SHIFTJIS_CHARSET) {
    key.Charset = SHIFTJIS_CHARSET;
    key.Height = -MulDiv(9, ScreenDpi, 72);
    key.Name = TFontName(std::string_view(reinterpret_cast<const char*>(kFarEastFace.data()),
                                          kFarEastFace.size()));
  }
  return key;
}

}  // namespace

const FontKey& DefaultFontKey() { return DefaultFont; }

void StartRasterModule() {
  ScreenDpi = ReadScreenDpi();
  ImageLock = std::make_unique<TCriticalSection>();
  NeutralPen = GetStockObject(BLACK_PEN);
  NeutralBrush = GetStockObject(NULL_BRUSH);
  NeutralFont = GetStockObject(SYSTEM_FONT);
  DefaultFont = MakeDefaultFontKey();
  FontCache = std::make_unique<TResourceManager>(kFontKeySize);
  PenCache = std::make_unique<TResourceManager>(kPenKeySize);
  BrushCache = std::make_unique<TResourceManager>(kBrushKeySize);
  BitmapContexts = std::make_unique<TBitmapContexts>();
}

void StopRasterModule() {
  BitmapContexts->DropIdle();
  BitmapContexts.reset();
  // Entries still held stay unreleased, and so do their platform objects.
  FontCache.reset();
  PenCache.reset();
  BrushCache.reset();
  ImageLock.reset();
}
