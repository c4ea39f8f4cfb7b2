#include "tools/frame_png.h"

#include <system_error>

#include "tools/output_file.h"

void WriteFramePng(TBitmap& bitmap, const std::filesystem::path& path, const std::string& name,
                   const PngSettings& settings) {
  std::filesystem::path partial = path;
  partial += ".partial";
  std::error_code ignored;
  try {
    OutputFile file(partial, name);
    const PngPicture picture{bitmap.Width(), bitmap.Height(), [&bitmap](int y) { return bitmap.RowPixels(y); }};
    EncodePng(picture, settings, [&file](const std::uint8_t* data, std::size_t size) { file.Write(data, size); });
    file.Close();
  } catch (...) {
    std::filesystem::remove(partial, ignored);
    throw;
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, ignored);
    throw OutputError(CannotWrite(name, error.message()));
  }
}
