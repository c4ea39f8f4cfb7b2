#include "tools/frame_png.h"

#include "tools/partial_file.h"

void WriteFramePng(TBitmap& bitmap, const std::filesystem::path& path, const std::string& name,
                   const PngSettings& settings) {
  PartialFile file(path, name);
  EncodePng(PictureOf(bitmap), settings,
            [&file](const std::uint8_t* data, std::size_t size) { file.File().Write(data, size); });
  file.Commit();
}
