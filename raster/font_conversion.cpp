#include "raster/font_conversion.h"

#include <algorithm>
#include <cstring>

#include "platform/lowercase.h"

namespace {

bool NamesDefault(std::string_view name) { return Lowercase(name) == "default"; }

BYTE Flag(bool on) { return on ? 1 : 0; }

}  // namespace

LOGFONTA LogFontFromKey(const FontKey& key, const FontKey& defaults) {
  LOGFONTA font{};
  font.lfHeight = key.Height;
  font.lfWeight = key.Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = Flag(key.Style.Contains(fsItalic));
  font.lfUnderline = Flag(key.Style.Contains(fsUnderline));
  font.lfStrikeOut = Flag(key.Style.Contains(fsStrikeOut));
  font.lfCharSet = key.Charset;
  font.lfPitchAndFamily = key.Pitch == fpVariable ? VARIABLE_PITCH
                          : key.Pitch == fpFixed  ? FIXED_PITCH
                                                  : DEFAULT_PITCH;
  const std::string_view name =
      NamesDefault(key.Name.View()) ? defaults.Name.View() : key.Name.View();
  // At most 31 characters, so the terminating zero of the zeroed record stays.
  std::memcpy(font.lfFaceName, name.data(), name.size());
  return font;
}

FontKey KeyFromLogFont(const LOGFONTA& font, HGDIOBJ handle, const FontKey& defaults) {
  FontKey key = defaults;
  key.Handle = handle;
  key.Height = font.lfHeight;
  TFontStyles style;
  if (font.lfWeight >= FW_BOLD) style = style.With(fsBold);
  if (font.lfItalic == 1) style = style.With(fsItalic);
  if (font.lfUnderline == 1) style = style.With(fsUnderline);
  if (font.lfStrikeOut == 1) style = style.With(fsStrikeOut);
  key.Style = style;
  key.Charset = font.lfCharSet;
  const char* name_end = std::find(font.lfFaceName, font.lfFaceName + LF_FACESIZE, '\0');
  key.Name = TFontName(std::string_view(font.lfFaceName, name_end));
  switch (font.lfPitchAndFamily & 0x0F) {
    case FIXED_PITCH: key.Pitch = fpFixed; break;
    case VARIABLE_PITCH: key.Pitch = fpVariable; break;
    default: key.Pitch = fpDefault; break;
  }
  return key;
}
