// The text engine serves the animation thread and the main thread at once:
// drawing concurrently must give the same pixels as drawing alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "platform/soft/graphics/surface.h"
#include "platform/soft/text/text_layout.h"
#include "platform/soft/text/text_render.h"

namespace {

struct Job {
  const char* face;
  LONG height, escapement;
};
using Pixels = std::vector<std::uint8_t>;

Pixels Draw(const Job& job) {
  Pixels pixels(160 * 120 * 3, 0);
  LOGFONTA font{};
  font.lfHeight = job.height;
  font.lfWeight = FW_BOLD;
  std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", job.face);
  auto layout = soft::LayOutText(font, "\xCD\xE5\xEC\xE0\xBA =) THE END");
  const soft::Surface surface{pixels.data(), 160, 120, 160 * 3, 3};
  if (layout) soft::DrawTextLayout(surface, *layout, {10, 60, job.escapement, 0xFFFFFF});
  return pixels;
}

TEST(TextThreads, ConcurrentDrawingMatchesDrawingAlone) {
  // Sizes and turns met nowhere else, so the threads find the caches cold;
  // they share faces but ask them for different glyphs.
  const std::vector<Job> jobs = {{"Arial", -37, 0},  {"Arial", -37, 17},    {"Arial", -23, -23},
                                 {"System", 19, 0}, {"Unknown 5", -19, 900}, {"Arial", -33, 3590}};
  const std::size_t n = jobs.size();
  std::vector<std::vector<Pixels>> drawn(n);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < n; ++i) {
    threads.emplace_back([&, i] {  // every thread draws every job, each starting at another
      for (std::size_t k = 0; k < n; ++k) drawn[i].push_back(Draw(jobs[(i + k) % n]));
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_NE(Draw(jobs[0]), Pixels(160 * 120 * 3, 0));
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = 0; k < n; ++k) EXPECT_EQ(drawn[i][k], Draw(jobs[(i + k) % n])) << i << " " << k;
  }
}

}  // namespace
