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
  std::string all;
  {  // closed before the removal: Windows removes no open file
    std::ifstream in(path, std::ios::binary);
    all.assign(std::istreambuf_iterator<char>(in), {});
  }
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

// Odd sizes round the chroma planes up and average only the pixels there are;
// the primaries land where BT.601 puts them; every grey keeps its level in
// full range, without colour.
TEST(RenderY4mTest, OddSizesPrimariesAndEveryGrey) {
  struct Expected {
    std::uint8_t y, u, v;
  };
  std::vector<Bgr> pictures{Filled(3, 3, 0, 0, 255), Filled(3, 3, 255, 0, 0), Filled(3, 3, 0, 255, 0)};
  std::vector<Expected> expected{{76, 85, 255}, {29, 255, 107}, {150, 44, 21}};  // red, blue, green
  for (int g = 0; g < 256; ++g) {
    const auto level = static_cast<std::uint8_t>(g);
    pictures.push_back(Filled(3, 3, level, level, level));
    expected.push_back({level, 128, 128});
  }
  const Stream stream = WriteAndRead(3, 3, pictures);
  EXPECT_EQ(stream.header, "YUV4MPEG2 W3 H3 F20:1 Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=FULL");
  ASSERT_EQ(stream.frames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
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
