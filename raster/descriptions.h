// The description records that decide a platform pen, brush or font, their
// enumerations, and their byte form for the caches. Two descriptions are equal
// when all their fields are equal, the handle included; the byte form lists
// the fields in order, each as it is stored in memory (a handle takes the
// size of a pointer), so equal descriptions have equal bytes.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/win32.h"
#include "raster/colors.h"

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Only copying pens are ever drawn with.
enum TPenMode : std::uint8_t { pmCopy };
enum TBrushStyle : std::uint8_t {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};
enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles; bit n stands for the style of value n.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle style : styles) bits_ = static_cast<std::uint8_t>(bits_ | Bit(style));
  }
  static constexpr TFontStyles FromBits(std::uint8_t bits) {
    TFontStyles styles;
    styles.bits_ = bits;
    return styles;
  }
  constexpr bool Contains(TFontStyle style) const { return (bits_ & Bit(style)) != 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr TFontStyles With(TFontStyle style) const {
    return FromBits(static_cast<std::uint8_t>(bits_ | Bit(style)));
  }
  constexpr bool operator==(const TFontStyles&) const = default;

 private:
  static constexpr std::uint8_t Bit(TFontStyle style) {
    return static_cast<std::uint8_t>(1u << style);
  }
  std::uint8_t bits_ = 0;
};

// A face name as the description stores it: a length byte and up to 31
// single-byte characters, the unused bytes zero.
class TFontName {
 public:
  static constexpr std::size_t kMaxLength = 31;

  constexpr TFontName() = default;
  explicit TFontName(std::string_view text);  // keeps the first 31 characters

  std::string_view View() const {
    return {reinterpret_cast<const char*>(bytes_.data() + 1), bytes_[0]};
  }
  const std::array<std::uint8_t, kMaxLength + 1>& Bytes() const { return bytes_; }
  bool operator==(const TFontName&) const = default;

 private:
  std::array<std::uint8_t, kMaxLength + 1> bytes_{};
};

struct PenKey {
  HGDIOBJ Handle = nullptr;  // always none for pens
  TColor Color = clBlack;
  std::int32_t Width = 1;
  TPenStyle Style = psSolid;
  bool operator==(const PenKey&) const = default;
};

struct BrushKey {
  HGDIOBJ Handle = nullptr;   // always none for brushes
  TColor Color = clWhite;
  HBITMAP Bitmap = nullptr;   // pattern bitmap, always none here
  TBrushStyle Style = bsSolid;
  bool operator==(const BrushKey&) const = default;
};

struct FontKey {
  HGDIOBJ Handle = nullptr;   // an adopted platform font, or none
  std::int32_t Height = 0;    // negative: character height in pixels
  TFontPitch Pitch = fpDefault;
  TFontStyles Style;
  BYTE Charset = DEFAULT_CHARSET;
  TFontName Name;
  bool operator==(const FontKey&) const = default;
};

inline constexpr PenKey DefaultPenKey{nullptr, clBlack, 1, psSolid};
inline constexpr BrushKey DefaultBrushKey{nullptr, clWhite, nullptr, bsSolid};
// DefaultFontKey depends on the screen and the locale: it is made with the
// module (raster_module.h).

using TDescriptionBytes = std::vector<std::uint8_t>;

TDescriptionBytes DescriptionBytes(const PenKey& key);
TDescriptionBytes DescriptionBytes(const BrushKey& key);
TDescriptionBytes DescriptionBytes(const FontKey& key);

// Every description's byte form has a fixed length per kind.
inline constexpr std::size_t kPenKeySize = sizeof(HGDIOBJ) + 4 + 4 + 1;
inline constexpr std::size_t kBrushKeySize = sizeof(HGDIOBJ) + 4 + sizeof(HBITMAP) + 1;
inline constexpr std::size_t kFontKeySize = sizeof(HGDIOBJ) + 4 + 1 + 1 + 1 + TFontName::kMaxLength + 1;
