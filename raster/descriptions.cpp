#include "raster/descriptions.h"

#include <cstring>

namespace {

class TByteWriter {
 public:
  explicit TByteWriter(std::size_t size) { bytes_.reserve(size); }

  template <class T>
  TByteWriter& Add(const T& value) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(&value);
    bytes_.insert(bytes_.end(), first, first + sizeof(T));
    return *this;
  }
  TDescriptionBytes Take() { return std::move(bytes_); }

 private:
  TDescriptionBytes bytes_;
};

}  // namespace

TFontName::TFontName(std::string_view text) {
  const std::size_t length = text.size() < kMaxLength ? text.size() : kMaxLength;
  bytes_[0] = static_cast<std::uint8_t>(length);
  std::memcpy(bytes_.data() + 1, text.data(), length);
}

TDescriptionBytes DescriptionBytes(const PenKey& key) {
  return TByteWriter(kPenKeySize).Add(key.Handle).Add(key.Color).Add(key.Width).Add(key.Style).Take();
}

TDescriptionBytes DescriptionBytes(const BrushKey& key) {
  return TByteWriter(kBrushKeySize)
      .Add(key.Handle)
      .Add(key.Color)
      .Add(key.Bitmap)
      .Add(key.Style)
      .Take();
}

TDescriptionBytes DescriptionBytes(const FontKey& key) {
  return TByteWriter(kFontKeySize)
      .Add(key.Handle)
      .Add(key.Height)
      .Add(key.Pitch)
      .Add(key.Style.Bits())
      .Add(key.Charset)
      .Add(key.Name.Bytes())
      .Take();
}
