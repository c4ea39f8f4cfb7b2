// Frames as a YUV4MPEG2 stream at 20 frames per second: 4:2:0 with centred
// chroma, BT.601 colours in full range (stated in the header), so that a grey
// level g is Y = g, U = V = 128 exactly. The planes are written a band of
// rows at a time, so the writer keeps a few rows, never a whole frame.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/bgr_picture.h"
#include "tools/output_file.h"

class Y4mWriter {
 public:
  // Writes the stream header for frames of width x height (both positive).
  // Throws std::length_error, naming the bytes, when the rows cannot be had.
  Y4mWriter(OutputFile& out, int width, int height);

  // The picture must have the stream's size. Throws OutputError.
  void WriteFrame(const BgrPicture& picture);

 private:
  void WriteLuma(const BgrPicture& picture);
  void WriteChroma(const BgrPicture& picture, bool red_difference);

  OutputFile& out_;
  int width_, height_;
  int band_rows_;                   // rows of a plane per write
  std::vector<std::uint8_t> band_;  // a band of one plane's rows
};
