#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/y4m_writer.h"

namespace {

struct Bgr {
  int width, height;
  std::vector<std::uint8_t> bytes;  // packed rows
  BgrPicture Picture() const {
    return {width, height,
            [this](int y) { return bytes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3; }};
  }
};

struct Planes {
  std::vector<std::uint8_t> y, u, v;
};

struct Stream {
  std::string header;
  std::vector<Planes> frames;
};

// Reads the stream back: a header line, then "FRAME\n" and exactly the
// planes' bytes (4:2:0, chroma rounded up at odd sizes) for each frame.
Stream WriteAndRead(int width, int height, const std::vector<Bgr>& pictures) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      (std::string("render_y4m_test_") + testing::UnitTest::GetInstance()->current_test_info()->name());
  {
    OutputFile file(path, "video");
    Y4mWriter writer(file, width, height);
    for (const Bgr& picture : pictures) writer.WriteFrame(picture.Picture());
    file.Close();
  }
  std::ifstream in(path, std::ios::binary);
  const std::string all{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(path);
  Stream stream;
  std::size_t at = all.find('\n') + 1;
  stream.header = all.substr(0, at - 1);
  const std::size_t luma = static_cast<std::size_t>(width * height),
                    chroma = static_cast<std::size_t>((width + 1) / 2 * ((height + 1) / 2));
  while (at < all.size()) {
    if (all.compare(at, 6, "FRAME\n") != 0 || at + 6 + luma + 2 * chroma > all.size())
      throw std::runtime_error("frame");
    const auto* p = reinterpret_cast<const std::uint8_t*>(all.data()) + at + 6;
    stream.frames.push_back({{p, p + luma}, {p + luma, p + luma + chroma}, {p + luma + chroma, p + luma + 2 * chroma}});
    at += 6 + luma + 2 * chroma;
  }
  return stream;
}

Bgr Filled(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
  Bgr picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) picture.bytes.insert(picture.bytes.end(), {b, g, r});
  return picture;
}

TEST(RenderY4mTest, EveryGreyLevelIsExactInFullRange) {
  Bgr greys{256, 2, {}};  // column g is grey g, in both rows
  for (int row = 0; row < 2; ++row) {
    for (int g = 0; g < 256; ++g) greys.bytes.insert(greys.bytes.end(), 3, static_cast<std::uint8_t>(g));
  }
  const Stream stream = WriteAndRead(256, 2, {greys});
  EXPECT_EQ(stream.header, "YUV4MPEG2 W256 H2 F20:1 Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=FULL");
  ASSERT_EQ(stream.frames.size(), 1u);
  for (int g = 0; g < 256; ++g) {
    ASSERT_EQ(stream.frames[0].y[static_cast<std::size_t>(g)], g);
    ASSERT_EQ(stream.frames[0].y[static_cast<std::size_t>(256 + g)], g);
  }
  // Chroma averages neighbouring greys: still no colour.
  EXPECT_EQ(stream.frames[0].u, std::vector<std::uint8_t>(128, 128));
  EXPECT_EQ(stream.frames[0].v, std::vector<std::uint8_t>(128, 128));
}

// Odd sizes round the chroma planes up and average only the pixels there are;
// the primaries land where BT.601 puts them.
TEST(RenderY4mTest, OddSizesAndPrimaries) {
  const Stream stream = WriteAndRead(3, 3, {Filled(3, 3, 0, 0, 255), Filled(3, 3, 255, 0, 0), Filled(3, 3, 0, 255, 0)});
  ASSERT_EQ(stream.frames.size(), 3u);
  const struct {
    std::uint8_t y, u, v;
  } expected[3] = {{76, 85, 255}, {29, 255, 107}, {150, 44, 21}};  // red, blue, green
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(stream.frames[i].y, std::vector<std::uint8_t>(9, expected[i].y)) << i;
    EXPECT_EQ(stream.frames[i].u, std::vector<std::uint8_t>(4, expected[i].u)) << i;
    EXPECT_EQ(stream.frames[i].v, std::vector<std::uint8_t>(4, expected[i].v)) << i;
  }
}

TEST(RenderY4mTest, AFrameOfAnotherSizeIsRefused) {
  EXPECT_THROW(WriteAndRead(4, 4, {Filled(4, 4, 1, 1, 1), Filled(4, 3, 1, 1, 1)}), std::invalid_argument);
  EXPECT_THROW(WriteAndRead(0, 4, {}), std::invalid_argument);
}

}  // namespace
