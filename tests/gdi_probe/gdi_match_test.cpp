// Holds the software platform's pixels against the real platform's: every
// case of cases.txt is drawn here and compared with the picture that
// gdi_probe.exe drew of it under Wine. A case may differ in at most as many
// pixels as thresholds.txt allows it (none when it is not listed), so that
// matching cases stay matched and the others never get worse.
//
// Environment: GDI_MATCH_WINE names the probe's output (default: the one the
// build's wine.gdi_probe test writes); GDI_MATCH_COUNTS, when set, receives
// "NAME COUNT" for every case, and GDI_MATCH_DUMP the software pictures, laid
// out as the probe's output.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <ostream>
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

std::string EnvOr(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

std::map<std::string, int> ReadThresholds() {
  std::map<std::string, int> allowed;
  std::ifstream in(GDI_MATCH_THRESHOLDS);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    int count = 0;
    if (line.empty() || line[0] == '#' || !(fields >> name >> count)) continue;
    allowed[name] = count;
  }
  return allowed;
}

std::vector<Expected> LoadCases() {
  std::ifstream in(GDI_MATCH_CASES);
  const auto allowed = ReadThresholds();
  std::vector<Expected> cases;
  std::size_t offset = 0;
  for (auto& c : probe::ReadCases(in)) {
    const auto found = allowed.find(c.name);
    const std::size_t bytes = probe::PictureBytes(c);
    cases.push_back({std::move(c), offset, found != allowed.end() ? found->second : 0});
    offset += bytes;
  }
  return cases;
}

const std::vector<std::uint8_t>& WinePictures() {
  static const std::vector<std::uint8_t> pictures = [] {
    std::ifstream in(EnvOr("GDI_MATCH_WINE", GDI_MATCH_WINE_OUTPUT), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }();
  return pictures;
}

// Pixels whose three bytes are not all equal in the two pictures.
int DifferingPixels(const probe::Case& c, const std::uint8_t* ours, const std::uint8_t* theirs) {
  const std::size_t stride = probe::PictureBytes(c) / static_cast<std::size_t>(c.height);
  int count = 0;
  for (int y = 0; y < c.height; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * stride;
    for (std::size_t x = 0; x < static_cast<std::size_t>(c.width) * 3; x += 3) {
      const std::size_t i = row + x;
      count += ours[i] != theirs[i] || ours[i + 1] != theirs[i + 1] || ours[i + 2] != theirs[i + 2];
    }
  }
  return count;
}

void Record(const char* variable, const std::string& name, const void* data, std::size_t size) {
  static std::mutex lock;
  static std::map<std::string, std::ofstream> files;
  const char* path = std::getenv(variable);
  if (path == nullptr || *path == '\0') return;
  const std::lock_guard hold(lock);
  auto [file, made] = files.try_emplace(variable);
  if (made) file->second.open(path, std::ios::binary);
  if (data == nullptr) {
    file->second << name << "\n" << std::flush;
  } else {
    file->second.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
}

void PrintTo(const Expected& e, std::ostream* out) { *out << e.c.name; }

class GdiMatch : public testing::TestWithParam<Expected> {};

TEST_P(GdiMatch, DiffersFromTheRealPlatformNoMoreThanRecorded) {
  const Expected& e = GetParam();
  const auto& wine = WinePictures();
  const std::size_t bytes = probe::PictureBytes(e.c);
  ASSERT_LE(e.offset + bytes, wine.size()) << "the probe's output is missing or short: run the wine.gdi_probe test";
  const auto ours = probe::DrawCase(e.c);
  Record("GDI_MATCH_DUMP", e.c.name, ours.data(), ours.size());
  const int differing = DifferingPixels(e.c, ours.data(), wine.data() + e.offset);
  Record("GDI_MATCH_COUNTS", e.c.name + " " + std::to_string(differing), nullptr, 0);
  EXPECT_LE(differing, e.allowed) << e.c.name << ": " << differing << " pixels differ, " << e.allowed
                                  << " allowed";
}

std::string NameOf(const testing::TestParamInfo<Expected>& info) {
  std::string name = info.param.c.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GdiMatch, testing::ValuesIn(LoadCases()), NameOf);

}  // namespace
