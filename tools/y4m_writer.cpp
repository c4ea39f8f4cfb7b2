#include "tools/y4m_writer.h"

#include <algorithm>
#include <cstring>
#include <new>
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

NOSIGNAL_VECTOR_CLONES
void LumaRow(const std::uint8_t* __restrict bgr, std::uint8_t* __restrict luma, std::size_t width) {
  for (std::size_t x = 0; x < width; ++x) luma[x] = Luma(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
}

// A chroma sample from the terms of a 2x2 block (an edge pixel counted twice
// where the block falls off the picture). Each row of coefficients sums to
// 0; the sample is positive once offset by 128, so the shift rounds to nearest.
struct ChromaCoefficients {
  std::int32_t red, green, blue;
};
constexpr ChromaCoefficients kBlueDifference{-11059, -21709, 32768};
constexpr ChromaCoefficients kRedDifference{32768, -27439, -5329};

inline std::uint8_t Chroma(std::int32_t block) {
  return static_cast<std::uint8_t>(std::clamp((block + 4 * ((128 << 16) + 32768)) >> 18, 0, 255));
}

// Each column's term of a pair of rows, before the columns are paired.
NOSIGNAL_VECTOR_CLONES
void ColumnTerms(const std::uint8_t* __restrict top, const std::uint8_t* __restrict bottom,
                 std::int32_t* __restrict term, std::size_t columns, ChromaCoefficients c) {
  for (std::size_t x = 0; x < columns; ++x) {
    term[x] = c.blue * (top[3 * x] + bottom[3 * x]) + c.green * (top[3 * x + 1] + bottom[3 * x + 1]) +
              c.red * (top[3 * x + 2] + bottom[3 * x + 2]);
  }
}

NOSIGNAL_VECTOR_CLONES
void PairColumns(const std::int32_t* __restrict term, std::uint8_t* __restrict out, std::size_t columns) {
  const std::size_t pairs = columns / 2;
  for (std::size_t cx = 0; cx < pairs; ++cx) out[cx] = Chroma(term[2 * cx] + term[2 * cx + 1]);
  if (columns % 2 != 0) out[pairs] = Chroma(2 * term[columns - 1]);
}

// Columns whose terms are made at a time: few enough to stay in the cache.
constexpr std::size_t kTermColumns = 2048;

// One chroma row from a pair of picture rows (the same row twice for an odd
// last row), a block of columns at a time.
void ChromaRow(const std::uint8_t* top, const std::uint8_t* bottom, std::uint8_t* out, std::size_t width,
               ChromaCoefficients c) {
  std::int32_t term[kTermColumns];
  for (std::size_t x = 0; x < width; x += kTermColumns) {
    const std::size_t columns = std::min(kTermColumns, width - x);
    ColumnTerms(top + 3 * x, bottom + 3 * x, term, columns, c);
    PairColumns(term, out + x / 2, columns);
  }
}

// Bytes of a plane gathered before each write: large enough that writes
// are few, small enough to stay in the cache.
constexpr std::size_t kBandBytes = 256 * 1024;

}  // namespace

Y4mWriter::Y4mWriter(OutputFile& out, int width, int height) : out_(out), width_(width), height_(height) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("a video frame cannot be empty");
  const std::size_t row = static_cast<std::size_t>(width);
  band_rows_ = static_cast<int>(std::clamp<std::size_t>(kBandBytes / row, 1, static_cast<std::size_t>(height)));
  try {
    band_.resize(row * static_cast<std::size_t>(band_rows_));
  } catch (const std::bad_alloc&) {
    throw std::length_error("not enough memory for the video's rows (" + std::to_string(row) + " bytes)");
  }
  const std::string header = "YUV4MPEG2 W" + std::to_string(width) + " H" + std::to_string(height) +
                             " F20:1 Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=FULL\n";
  out_.Write(header.data(), header.size());
}

void Y4mWriter::WriteFrame(const BgrPicture& picture) {
  if (picture.width != width_ || picture.height != height_) {
    throw std::invalid_argument("a video frame of " + std::to_string(picture.width) + "x" +
                                std::to_string(picture.height) + " in a stream of " + std::to_string(width_) + "x" +
                                std::to_string(height_));
  }
  out_.Write(kFrameMarker, kMarkerSize);
  WriteLuma(picture);
  WriteChroma(picture, false);
  WriteChroma(picture, true);
}

void Y4mWriter::WriteLuma(const BgrPicture& picture) {
  const std::size_t width = static_cast<std::size_t>(width_);
  for (int first = 0; first < height_; first += band_rows_) {
    const int rows = std::min(band_rows_, height_ - first);
    for (int y = 0; y < rows; ++y) {
      LumaRow(picture.row(first + y), band_.data() + width * static_cast<std::size_t>(y), width);
    }
    out_.Write(band_.data(), width * static_cast<std::size_t>(rows));
  }
}

void Y4mWriter::WriteChroma(const BgrPicture& picture, bool red_difference) {
  const ChromaCoefficients coefficients = red_difference ? kRedDifference : kBlueDifference;
  const std::size_t width = static_cast<std::size_t>(width_), chroma_width = (width + 1) / 2;
  const int chroma_height = (height_ + 1) / 2;
  // Chroma rows are half as wide: a band holds about twice as many.
  const int band = static_cast<int>(band_.size() / chroma_width);
  for (int first = 0; first < chroma_height; first += band) {
    const int rows = std::min(band, chroma_height - first);
    for (int cy = 0; cy < rows; ++cy) {
      const int y = 2 * (first + cy);
      const std::uint8_t* const top = picture.row(y);
      const std::uint8_t* const bottom = y + 1 < height_ ? picture.row(y + 1) : top;
      ChromaRow(top, bottom, band_.data() + chroma_width * static_cast<std::size_t>(cy), width, coefficients);
    }
    out_.Write(band_.data(), chroma_width * static_cast<std::size_t>(rows));
  }
}
