// Frames as a YUV4MPEG2 stream at 20 frames per second: 4:2:0 with centred
// chroma, BT.601 colours in full range (stated in the header), so that a grey
// level g is Y = g, U = V = 128 exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/bgr_picture.h"
#include "tools/output_file.h"

class Y4mWriter {
 public:
  // Writes the stream header for frames of width x height (both positive).
  Y4mWriter(OutputFile& out, int width, int height);

  // The picture must have the stream's size. Throws OutputError.
  void WriteFrame(const BgrPicture& picture);

 private:
  void ConvertRowPair(const std::uint8_t* top, const std::uint8_t* bottom, int chroma_row);

  OutputFile& out_;
  int width_, height_;
  std::vector<std::uint8_t> frame_;         // "FRAME\n", then the Y, U and V planes
  std::vector<std::int32_t> chroma_terms_;  // of a pair of rows
};
