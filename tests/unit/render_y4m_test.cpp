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

// The whole stream as the writer leaves it in a file (read back in binary,
// so that a stream written as text on Windows shows).
std::string Written(int width, int height, const std::vector<Bgr>& pictures) {
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
  return all;
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
  std::vector<Bgr> pictures{Filled(3, 3, 0, 0, 255), Filled(3, 3, 255, 0, 0), Filled(3, 3, 0, 255, 0)};
  std::string expected = "YUV4MPEG2 W3 H3 F20:1 Ip A1:1 C420jpeg XYSCSS=420JPEG XCOLORRANGE=FULL\n";
  const auto frame = [&](int y, int u, int v) {  // 3x3 luma, 2x2 of each chroma
    expected += "FRAME\n" + std::string(9, static_cast<char>(y)) + std::string(4, static_cast<char>(u)) +
                std::string(4, static_cast<char>(v));
  };
  frame(76, 85, 255);   // red
  frame(29, 255, 107);  // blue
  frame(150, 44, 21);   // green
  for (int g = 0; g < 256; ++g) {
    const auto level = static_cast<std::uint8_t>(g);
    pictures.push_back(Filled(3, 3, level, level, level));
    frame(g, 128, 128);
  }
  EXPECT_EQ(Written(3, 3, pictures), expected);
}

// The planes are written a band of rows, and the chroma a block of columns,
// at a time: a frame wider than a block (odd, so the last block is one column)
// and taller than a band of either plane keeps every row in its place. Row
// pairs alternate red and blue, so each chroma row says which pair it came from.
TEST(RenderY4mTest, RowsKeepTheirPlaceAcrossBandsAndBlocks) {
  constexpr int kWidth = 2049, kHeight = 601;
  const auto red_pair = [](int y) { return y / 2 % 2 == 0; };
  Bgr picture{kWidth, kHeight, {}};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      picture.bytes.insert(picture.bytes.end(), red_pair(y) ? std::initializer_list<std::uint8_t>{0, 0, 255}
                                                             : std::initializer_list<std::uint8_t>{255, 0, 0});
    }
  }
  std::string planes[3];
  for (int y = 0; y < kHeight; ++y) planes[0] += std::string(kWidth, static_cast<char>(red_pair(y) ? 76 : 29));
  for (int y = 0; y < kHeight; y += 2) {
    planes[1] += std::string((kWidth + 1) / 2, static_cast<char>(red_pair(y) ? 85 : 255));
    planes[2] += std::string((kWidth + 1) / 2, static_cast<char>(red_pair(y) ? 255 : 107));
  }
  const std::string written = Written(kWidth, kHeight, {picture});
  EXPECT_TRUE(written.ends_with("FRAME\n" + planes[0] + planes[1] + planes[2]));
}

TEST(RenderY4mTest, AFrameOfAnotherSizeIsRefused) {
  EXPECT_THROW(Written(4, 4, {Filled(4, 4, 1, 1, 1), Filled(4, 3, 1, 1, 1)}), std::invalid_argument);
  EXPECT_THROW(Written(0, 4, {}), std::invalid_argument);
}

}  // namespace
