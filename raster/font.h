// The font text is written and measured with. Its description decides the
// platform font; its colour is applied when the font is selected.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "raster/descriptions.h"
#include "raster/graphics_object.h"

class TFont : public TGraphicsObject {
 public:
  TFont();

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  std::string Name() const { return std::string(key_.Name.View()); }
  void SetName(std::string_view name);  // empty is ignored; keeps 31 characters
  TFontStyles Style() const { return key_.Style; }
  void SetStyle(TFontStyles style);
  int Size() const;  // points
  void SetSize(int points);
  int Height() const { return key_.Height; }
  void SetHeight(int height);
  BYTE Charset() const { return key_.Charset; }
  void SetCharset(BYTE charset);
  TFontPitch Pitch() const { return key_.Pitch; }
  void SetPitch(TFontPitch pitch);

  // The platform font this font selects, made on first request.
  HFONT FontHandle();
  // Adopts a platform font made elsewhere: the description is read from it,
  // and the cache owns and deletes it from now on. A handle that is 0 or not
  // a describable font gives the default description.
  void SetFontHandle(HFONT handle);

 private:
  explicit TFont(const std::shared_ptr<TRasterModule>& module);
  void Describe(const FontKey& key);
  FontKey DescribeAdopted(HFONT handle) const;

  FontKey key_;
  TColor color_ = clWindowText;
  int font_dpi_;
};
