#include "tools/y4m_writer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

constexpr char kFrameMarker[] = "FRAME\n";
constexpr std::size_t kMarkerSize = sizeof kFrameMarker - 1;

// BT.601 in full range, in 16-bit fixed point. Each chroma row sums to 0 and
// the luma row to 65536, so grey stays exact.
std::uint8_t Luma(int r, int g, int b) { return static_cast<std::uint8_t>((19595 * r + 38470 * g + 7471 * b + 32768) >> 16); }

// From the sums of n pixels' components.
std::uint8_t Chroma(int weight_r, int weight_g, int weight_b, int r, int g, int b, int n) {
  // Positive once offset by 128, so the division rounds to nearest.
  const int value = (weight_r * r + weight_g * g + weight_b * b + n * ((128 << 16) + 32768)) / (n << 16);
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

Y4mWriter::Y4mWriter(OutputFile& out, int width, int height) : out_(out), width_(width), height_(height) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("a video frame cannot be empty");
  const std::string header = "YUV4MPEG2 W" + std::to_string(width) + " H" + std::to_string(height) +
                             " F20:1 Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=FULL\n";
  out_.Write(header.data(), header.size());
  const std::size_t luma = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const std::size_t chroma = static_cast<std::size_t>((width + 1) / 2) * static_cast<std::size_t>((height + 1) / 2);
  frame_.resize(kMarkerSize + luma + 2 * chroma);
  std::memcpy(frame_.data(), kFrameMarker, kMarkerSize);
}

void Y4mWriter::WriteFrame(const BgrPicture& picture) {
  if (picture.width != width_ || picture.height != height_) {
    throw std::invalid_argument("a video frame of " + std::to_string(picture.width) + "x" +
                                std::to_string(picture.height) + " in a stream of " + std::to_string(width_) + "x" +
                                std::to_string(height_));
  }
  for (int y = 0; y < height_; y += 2) {
    // An odd last row pairs with itself; the chroma average is the same.
    ConvertRowPair(picture.row(y), y + 1 < height_ ? picture.row(y + 1) : nullptr, y / 2);
  }
  out_.Write(frame_.data(), frame_.size());
}

void Y4mWriter::ConvertRowPair(const std::uint8_t* top, const std::uint8_t* bottom, int chroma_row) {
  const std::size_t width = static_cast<std::size_t>(width_), chroma_width = (width + 1) / 2;
  std::uint8_t* const luma_top = frame_.data() + kMarkerSize + width * static_cast<std::size_t>(2 * chroma_row);
  std::uint8_t* const luma_bottom = luma_top + width;
  std::uint8_t* const u = frame_.data() + kMarkerSize + width * static_cast<std::size_t>(height_) +
                          chroma_width * static_cast<std::size_t>(chroma_row);
  std::uint8_t* const v = u + chroma_width * static_cast<std::size_t>((height_ + 1) / 2);
  for (std::size_t x = 0; x < width; ++x) luma_top[x] = Luma(top[3 * x + 2], top[3 * x + 1], top[3 * x]);
  if (bottom) {
    for (std::size_t x = 0; x < width; ++x) luma_bottom[x] = Luma(bottom[3 * x + 2], bottom[3 * x + 1], bottom[3 * x]);
  }
  for (std::size_t cx = 0; cx < chroma_width; ++cx) {
    int r = 0, g = 0, b = 0, n = 0;
    for (std::size_t x = 2 * cx; x < std::min(2 * cx + 2, width); ++x) {
      for (const std::uint8_t* row : {top, bottom}) {
        if (!row) continue;
        b += row[3 * x];
        g += row[3 * x + 1];
        r += row[3 * x + 2];
        ++n;
      }
    }
    u[cx] = Chroma(-11059, -21709, 32768, r, g, b, n);
    v[cx] = Chroma(32768, -27439, -5329, r, g, b, n);
  }
}
