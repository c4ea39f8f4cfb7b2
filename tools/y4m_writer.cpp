#include "tools/y4m_writer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

constexpr char kFrameMarker[] = "FRAME\n";
constexpr std::size_t kMarkerSize = sizeof kFrameMarker - 1;

// Byte rows with a stride of three vectorise only with wide shuffles; where
// the loader can pick a function per processor, the rows get an AVX2 copy
// (not under the sanitizers, whose runtime starts after the loader picks).
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(__SANITIZE_THREAD__)
#define NOSIGNAL_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define NOSIGNAL_VECTOR_CLONES
#endif

// BT.601 in full range, in 16-bit fixed point. Each chroma row sums to 0 and
// the luma row to 65536, so grey stays exact.
inline std::uint8_t Luma(std::int32_t r, std::int32_t g, std::int32_t b) {
  return static_cast<std::uint8_t>((19595 * r + 38470 * g + 7471 * b + 32768) >> 16);
}

// The luma of a pair of rows, and both chroma components of each of their
// columns before the offset and scaling, in one pass over the pixels.
NOSIGNAL_VECTOR_CLONES
void ConvertColumns(const std::uint8_t* __restrict top, const std::uint8_t* __restrict bottom,
                    std::uint8_t* __restrict luma_top, std::uint8_t* __restrict luma_bottom,
                    std::int32_t* __restrict u_term, std::int32_t* __restrict v_term, std::size_t width) {
  for (std::size_t x = 0; x < width; ++x) {
    const std::int32_t top_b = top[3 * x], top_g = top[3 * x + 1], top_r = top[3 * x + 2];
    const std::int32_t bottom_b = bottom[3 * x], bottom_g = bottom[3 * x + 1], bottom_r = bottom[3 * x + 2];
    luma_top[x] = Luma(top_r, top_g, top_b);
    luma_bottom[x] = Luma(bottom_r, bottom_g, bottom_b);
    const std::int32_t b = top_b + bottom_b, g = top_g + bottom_g, r = top_r + bottom_r;
    u_term[x] = -11059 * r - 21709 * g + 32768 * b;
    v_term[x] = 32768 * r - 27439 * g - 5329 * b;
  }
}

// A chroma sample from the terms of a 2x2 block (an edge pixel counted twice
// where the block falls off the picture). Positive once offset by 128, so
// the shift rounds to nearest.
inline std::uint8_t Chroma(std::int32_t block) {
  return static_cast<std::uint8_t>(std::clamp((block + 4 * ((128 << 16) + 32768)) >> 18, 0, 255));
}

NOSIGNAL_VECTOR_CLONES
void ChromaRow(const std::int32_t* __restrict term, std::uint8_t* __restrict out, std::size_t width) {
  const std::size_t pairs = width / 2;
  for (std::size_t cx = 0; cx < pairs; ++cx) out[cx] = Chroma(term[2 * cx] + term[2 * cx + 1]);
  if (width % 2 != 0) out[pairs] = Chroma(2 * term[width - 1]);
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
  chroma_terms_.resize(3 * static_cast<std::size_t>(width));
  std::memcpy(frame_.data(), kFrameMarker, kMarkerSize);
}

void Y4mWriter::WriteFrame(const BgrPicture& picture) {
  if (picture.width != width_ || picture.height != height_) {
    throw std::invalid_argument("a video frame of " + std::to_string(picture.width) + "x" +
                                std::to_string(picture.height) + " in a stream of " + std::to_string(width_) + "x" +
                                std::to_string(height_));
  }
  for (int y = 0; y < height_; y += 2) {
    ConvertRowPair(picture.row(y), y + 1 < height_ ? picture.row(y + 1) : nullptr, y / 2);
  }
  out_.Write(frame_.data(), frame_.size());
}

void Y4mWriter::ConvertRowPair(const std::uint8_t* top, const std::uint8_t* bottom, int chroma_row) {
  const std::size_t width = static_cast<std::size_t>(width_), chroma_width = (width + 1) / 2;
  std::uint8_t* const luma = frame_.data() + kMarkerSize + width * static_cast<std::size_t>(2 * chroma_row);
  std::uint8_t* const u = frame_.data() + kMarkerSize + width * static_cast<std::size_t>(height_) +
                          chroma_width * static_cast<std::size_t>(chroma_row);
  std::uint8_t* const v = u + chroma_width * static_cast<std::size_t>((height_ + 1) / 2);
  // An odd last row: its blocks are the row twice, and its luma goes to
  // spare room at the end of the terms.
  std::int32_t* const u_term = chroma_terms_.data();
  std::int32_t* const v_term = u_term + width;
  std::uint8_t* const luma_bottom = bottom != nullptr ? luma + width : reinterpret_cast<std::uint8_t*>(v_term + width);
  ConvertColumns(top, bottom != nullptr ? bottom : top, luma, luma_bottom, u_term, v_term, width);
  ChromaRow(u_term, u, width);
  ChromaRow(v_term, v, width);
}
