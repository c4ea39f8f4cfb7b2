#include "tools/frame_png.h"

#include <png.h>

#include <cstring>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace {

// The bitmap keeps its rows bottom-up in blue, green, red order, padded to
// 4 bytes; the file wants them packed, top-down.
std::vector<std::uint8_t> PackedRows(TBitmap& bitmap) {
  const auto row_bytes = static_cast<std::size_t>(bitmap.Width()) * 3;
  std::vector<std::uint8_t> packed(row_bytes * static_cast<std::size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::memcpy(packed.data() + row_bytes * static_cast<std::size_t>(y), bitmap.RowPixels(y), row_bytes);
  }
  return packed;
}

}  // namespace

void WriteFramePng(TBitmap& bitmap, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> pixels = PackedRows(bitmap);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  image.format = PNG_FORMAT_BGR;

  std::filesystem::path partial = path;
  partial += ".partial";
  if (!png_image_write_to_file(&image, partial.c_str(), 0, pixels.data(), 0, nullptr)) {
    const std::string message = image.message;
    png_image_free(&image);
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    throw std::runtime_error("cannot write " + path.string() + ": " + message);
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    throw std::runtime_error("cannot write " + path.string() + ": " + error.message());
  }
}
