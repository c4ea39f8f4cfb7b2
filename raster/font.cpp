#include "raster/font.h"

#include "raster/font_conversion.h"
#include "raster/raster_module.h"

TFont::TFont() : TFont(RasterModule()) {}

TFont::TFont(const std::shared_ptr<TRasterModule>& module)
    : TGraphicsObject(module, &TRasterModule::FontCache, DescriptionBytes(module->DefaultFontKey)),
      key_(Module().DefaultFontKey),
      font_dpi_(Module().ScreenDpi) {}

void TFont::Describe(const FontKey& key) {
  Cache().Replace(*this, DescriptionBytes(key));
  key_ = key;
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetName(std::string_view name) {
  if (name.empty()) return;
  ChangeDescription(key_, [name](FontKey& key) { key.Name = TFontName(name); });
}

void TFont::SetStyle(TFontStyles style) {
  ChangeDescription(key_, [style](FontKey& key) { key.Style = style; });
}

int TFont::Size() const { return -MulDiv(key_.Height, 72, font_dpi_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, font_dpi_, 72)); }

void TFont::SetHeight(int height) {
  ChangeDescription(key_, [height](FontKey& key) { key.Height = height; });
}

void TFont::SetCharset(BYTE charset) {
  ChangeDescription(key_, [charset](FontKey& key) { key.Charset = charset; });
}

void TFont::SetPitch(TFontPitch pitch) {
  ChangeDescription(key_, [pitch](FontKey& key) { key.Pitch = pitch; });
}

HFONT TFont::FontHandle() {
  return static_cast<HFONT>(Cache().Realise(Entry(), [this] {
    const LOGFONTA font = LogFontFromKey(key_, Module().DefaultFontKey);
    return static_cast<HGDIOBJ>(CreateFontIndirectA(&font));
  }));
}

void TFont::SetFontHandle(HFONT handle) {
  TLockScope scope(OwnerLock());
  Describe(DescribeAdopted(handle));
}

FontKey TFont::DescribeAdopted(HFONT handle) const {
  if (handle == nullptr || GetObjectType(handle) != OBJ_FONT) return Module().DefaultFontKey;
  LOGFONTA font{};
  if (GetObjectA(handle, sizeof(font), &font) == 0) return Module().DefaultFontKey;
  // A font the cache made for another description is deleted with that
  // description's entry; owning it a second time would delete it twice, so
  // such a font is taken by its description alone.
  HGDIOBJ owned = Cache().MadeHandle(handle) ? nullptr : handle;
  return KeyFromLogFont(font, owned, Module().DefaultFontKey);
}
