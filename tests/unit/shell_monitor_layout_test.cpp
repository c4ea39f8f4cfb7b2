// One full-screen window per monitor, the animation on the primary one, over
// the monitor arrangements a desktop can report.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "shell/monitor_layout.h"

namespace {

std::string Describe(const std::vector<SaverWindowPlace>& places) {
  std::ostringstream text;
  for (const SaverWindowPlace& place : places) {
    text << (place.animated ? "A" : "c") << place.rect.left << "," << place.rect.top << "," << place.rect.right
         << "," << place.rect.bottom << " ";
  }
  return text.str();
}

struct Arrangement {
  const char* name;
  std::vector<MonitorArea> monitors;
  std::string places;
};

void PrintTo(const Arrangement& arrangement, std::ostream* out) { *out << arrangement.name; }

class MonitorLayout : public testing::TestWithParam<Arrangement> {};

TEST_P(MonitorLayout, PlacesOneWindowPerMonitorWithTheAnimationOnThePrimary) {
  EXPECT_EQ(Describe(PlaceSaverWindows(GetParam().monitors)), GetParam().places);
}

INSTANTIATE_TEST_SUITE_P(
    Arrangements, MonitorLayout,
    testing::Values(
        Arrangement{"none", {}, ""},
        Arrangement{"one", {{{0, 0, 1920, 1080}, true}}, "A0,0,1920,1080 "},
        Arrangement{"primary second, left of it a smaller one",
                    {{{-1280, 56, 0, 1080}, false}, {{0, 0, 1920, 1080}, true}},
                    "A0,0,1920,1080 c-1280,56,0,1080 "},
        Arrangement{"three in a row, the middle primary",
                    {{{0, 0, 800, 600}, false}, {{800, 0, 1600, 600}, true}, {{1600, 0, 2400, 600}, false}},
                    "A800,0,1600,600 c0,0,800,600 c1600,0,2400,600 "},
        Arrangement{"stacked, none primary: the first animates",
                    {{{0, 0, 800, 600}, false}, {{0, 600, 800, 1200}, false}}, "A0,0,800,600 c0,600,800,1200 "},
        Arrangement{"mirrored at one size: one window",
                    {{{0, 0, 1024, 768}, true}, {{0, 0, 1024, 768}, false}}, "A0,0,1024,768 "},
        Arrangement{"mirrored, the primary smaller: the larger animates",
                    {{{0, 0, 1280, 1024}, true}, {{0, 0, 1920, 1080}, false}, {{1920, 0, 2560, 480}, false}},
                    "A0,0,1920,1080 c1920,0,2560,480 "},
        Arrangement{"a monitor of no area is left out",
                    {{{0, 0, 0, 0}, true}, {{0, 0, 640, 480}, false}}, "A0,0,640,480 "},
        Arrangement{"overlapping but neither inside the other: both",
                    {{{0, 0, 1000, 800}, true}, {{900, 0, 1900, 800}, false}}, "A0,0,1000,800 c900,0,1900,800 "}));

}  // namespace
