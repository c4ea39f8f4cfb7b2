// Every case of cases.txt drawn here against the picture gdi_probe.exe drew of
// it under Wine: it may differ in at most the pixels thresholds.txt allows it
// (none when unlisted), so matching cases stay matched and others never worsen.
// GDI_MATCH_PICTURES names a folder for NAME.wine.ppm and NAME.ours.ppm of each
// differing case (ImageMagick's `compare` shows the difference); GDI_MATCH_COUNTS a
// file for the counts in the form of thresholds.txt, to replace it after a look.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "probe_cases.h"

namespace {

struct Expected {
  probe::Case c;
  std::size_t offset = 0;  // of its picture in the probe's output
  int allowed = 0;         // differing pixels
};

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

std::vector<Expected> LoadCases() {
  std::map<std::string, int> allowed;
  std::ifstream thresholds(GDI_MATCH_THRESHOLDS);
  for (std::string line; std::getline(thresholds, line);) {
    std::istringstream fields(line);
    std::string name;
    if (line[0] != '#' && fields >> name) fields >> allowed[name];
  }
  std::ifstream in(GDI_MATCH_CASES);
  std::vector<Expected> cases;
  std::size_t offset = 0;
  for (auto& c : probe::ReadCases(in)) {
    const std::size_t bytes = probe::PictureBytes(c);
    const int allows = allowed.count(c.name) != 0 ? allowed[c.name] : 0;
    cases.push_back({std::move(c), offset, allows});
    offset += bytes;
  }
  return cases;
}

const std::vector<std::uint8_t>& WinePictures() {
  static const std::vector<std::uint8_t> pictures = [] {
    std::ifstream in(GDI_MATCH_WINE_OUTPUT, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  return pictures;
}

// The blue, green, red bytes of a pixel of a picture as probe::DrawCase lays it out.
const std::uint8_t* PixelOf(const probe::Case& c, const std::uint8_t* picture, int x, int y) {
  const std::size_t stride = probe::PictureBytes(c) / static_cast<std::size_t>(c.height);
  return picture + static_cast<std::size_t>(c.height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
}

bool Same(const std::uint8_t* a, const std::uint8_t* b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

int DifferingPixels(const probe::Case& c, const std::uint8_t* ours, const std::uint8_t* theirs) {
  int count = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) count += !Same(PixelOf(c, ours, x, y), PixelOf(c, theirs, x, y));
  return count;
}

void WritePpm(const std::string& path, const probe::Case& c, const std::uint8_t* picture) {
  std::ofstream out(path, std::ios::binary);
  out << "P6 " << c.width << " " << c.height << " 255\n";
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const std::uint8_t* p = PixelOf(c, picture, x, y);
      out << char(p[2]) << char(p[1]) << char(p[0]);
    }
  }
}

void PrintTo(const Expected& e, std::ostream* out) { *out << e.c.name; }

class GdiMatch : public testing::TestWithParam<Expected> {};

TEST_P(GdiMatch, DiffersFromTheRealPlatformNoMoreThanRecorded) {
  const Expected& e = GetParam();
  const auto& wine = WinePictures();
  ASSERT_LE(e.offset + probe::PictureBytes(e.c), wine.size())
      << "the probe's output is missing or short: run the wine.gdi_probe test";
  const auto ours = probe::DrawCase(e.c);
  const int differing = DifferingPixels(e.c, ours.data(), wine.data() + e.offset);
  if (differing > 0 && Env("GDI_MATCH_PICTURES")) {
    const std::string path = std::string(Env("GDI_MATCH_PICTURES")) + "/" + e.c.name;
    WritePpm(path + ".wine.ppm", e.c, wine.data() + e.offset);
    WritePpm(path + ".ours.ppm", e.c, ours.data());
  }
  if (differing > 0 && Env("GDI_MATCH_COUNTS")) {
    static std::ofstream counts(Env("GDI_MATCH_COUNTS"));
    if (counts.tellp() == 0) {
      counts << "# Differing pixels each case may keep against Wine; unlisted cases must match exactly.\n";
    }
    counts << e.c.name << " " << differing << "\n" << std::flush;
  }
  EXPECT_LE(differing, e.allowed) << e.c.name << ": " << differing << " pixels differ, " << e.allowed << " allowed";
}

std::string NameOf(const testing::TestParamInfo<Expected>& info) {
  std::string name = info.param.c.name;
  for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GdiMatch, testing::ValuesIn(LoadCases()), NameOf);

}  // namespace
