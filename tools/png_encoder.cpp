#include "tools/png_encoder.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kChunkData = 1 << 18;  // bytes of compressed data per IDAT chunk

void PutBigEndian(std::uint8_t* out, std::uint32_t value) {
  out[0] = static_cast<std::uint8_t>(value >> 24);
  out[1] = static_cast<std::uint8_t>(value >> 16);
  out[2] = static_cast<std::uint8_t>(value >> 8);
  out[3] = static_cast<std::uint8_t>(value);
}

void WriteChunk(const ByteSink& sink, const char (&type)[5], const std::uint8_t* data, std::size_t size) {
  std::array<std::uint8_t, 8> head{};
  PutBigEndian(head.data(), static_cast<std::uint32_t>(size));
  for (int i = 0; i < 4; ++i) head[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(type[i]);
  uLong crc = crc32(0, head.data() + 4, 4);
  if (size > 0) crc = crc32(crc, data, static_cast<uInt>(size));
  std::array<std::uint8_t, 4> tail{};
  PutBigEndian(tail.data(), static_cast<std::uint32_t>(crc));
  sink(head.data(), head.size());
  if (size > 0) sink(data, size);
  sink(tail.data(), tail.size());
}

std::uint8_t Paeth(int left, int up, int up_left) {
  const int estimate = left + up - up_left;
  const int to_left = std::abs(estimate - left), to_up = std::abs(estimate - up),
            to_up_left = std::abs(estimate - up_left);
  if (to_left <= to_up && to_left <= to_up_left) return static_cast<std::uint8_t>(left);
  return static_cast<std::uint8_t>(to_up <= to_up_left ? up : up_left);
}

// One row in the file's order (red, green, blue) behind its filter byte;
// previous is the previous row unfiltered, or zeros for the first.
void FilterRow(PngFilter filter, const std::vector<std::uint8_t>& raw, const std::vector<std::uint8_t>& previous,
               std::vector<std::uint8_t>& out) {
  out[0] = static_cast<std::uint8_t>(filter);
  const std::size_t size = raw.size();
  std::uint8_t* const filtered = out.data() + 1;
  switch (filter) {
    case PngFilter::kNone:
      std::memcpy(filtered, raw.data(), size);
      break;
    case PngFilter::kSub:
      for (std::size_t i = 0; i < size; ++i)
        filtered[i] = static_cast<std::uint8_t>(raw[i] - (i >= 3 ? raw[i - 3] : 0));
      break;
    case PngFilter::kUp:
      for (std::size_t i = 0; i < size; ++i) filtered[i] = static_cast<std::uint8_t>(raw[i] - previous[i]);
      break;
    case PngFilter::kPaeth:
      for (std::size_t i = 0; i < size; ++i) {
        const int left = i >= 3 ? raw[i - 3] : 0, up_left = i >= 3 ? previous[i - 3] : 0;
        filtered[i] = static_cast<std::uint8_t>(raw[i] - Paeth(left, previous[i], up_left));
      }
      break;
  }
}

void ToRgb(const std::uint8_t* bgr, std::vector<std::uint8_t>& rgb) {
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    rgb[i] = bgr[i + 2];
    rgb[i + 1] = bgr[i + 1];
    rgb[i + 2] = bgr[i];
  }
}

// Deflates the filtered rows into IDAT chunks of kChunkData bytes.
class IdatStream {
 public:
  IdatStream(const ByteSink& sink, int level) : sink_(sink), buffer_(kChunkData) {
    if (deflateInit(&stream_, level) != Z_OK) throw std::runtime_error("cannot start the PNG compressor");
    stream_.next_out = buffer_.data();
    stream_.avail_out = static_cast<uInt>(buffer_.size());
  }
  ~IdatStream() { deflateEnd(&stream_); }
  IdatStream(const IdatStream&) = delete;
  IdatStream& operator=(const IdatStream&) = delete;

  void Add(const std::uint8_t* data, std::size_t size, bool last) {
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = static_cast<uInt>(size);
    const int flush = last ? Z_FINISH : Z_NO_FLUSH;
    int result = Z_OK;
    do {
      if (stream_.avail_out == 0) Emit();
      result = deflate(&stream_, flush);
      if (result == Z_STREAM_ERROR) throw std::runtime_error("the PNG compressor failed");
    } while (stream_.avail_in > 0 || stream_.avail_out == 0 || (last && result != Z_STREAM_END));
    if (last) Emit();
  }

 private:
  void Emit() {
    const std::size_t used = buffer_.size() - stream_.avail_out;
    if (used > 0) WriteChunk(sink_, "IDAT", buffer_.data(), used);
    stream_.next_out = buffer_.data();
    stream_.avail_out = static_cast<uInt>(buffer_.size());
  }

  const ByteSink& sink_;
  std::vector<std::uint8_t> buffer_;
  z_stream stream_{};
};

}  // namespace

void EncodePng(const BgrPicture& picture, const PngSettings& settings, const ByteSink& sink) {
  if (picture.width <= 0 || picture.height <= 0 || picture.width > kPngLargestSide ||
      picture.height > kPngLargestSide) {
    throw std::invalid_argument("a PNG picture is 1 to " + std::to_string(kPngLargestSide) + " pixels a side, not " +
                                std::to_string(picture.width) + "x" + std::to_string(picture.height));
  }
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  sink(kSignature, sizeof kSignature);
  std::array<std::uint8_t, 13> header{};
  PutBigEndian(header.data(), static_cast<std::uint32_t>(picture.width));
  PutBigEndian(header.data() + 4, static_cast<std::uint32_t>(picture.height));
  header[8] = 8;  // bits per sample
  header[9] = 2;  // colour type: RGB; compression, filter method and interlace stay 0
  WriteChunk(sink, "IHDR", header.data(), header.size());

  const std::size_t row_bytes = static_cast<std::size_t>(picture.width) * 3;
  std::vector<std::uint8_t> raw(row_bytes), previous(row_bytes, 0), filtered(row_bytes + 1);
  IdatStream idat(sink, settings.level);
  for (int y = 0; y < picture.height; ++y) {
    ToRgb(picture.row(y), raw);
    FilterRow(settings.filter, raw, previous, filtered);
    idat.Add(filtered.data(), filtered.size(), y + 1 == picture.height);
    raw.swap(previous);
  }
  WriteChunk(sink, "IEND", nullptr, 0);
}
