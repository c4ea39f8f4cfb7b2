// How long the parts of a frame take at the window's default size, beside
// the physical floor of writing that many bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "core/frame_size.h"
#include "core/random_source.h"
#include "raster/raster_module.h"
#include "support/fake_window.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr std::size_t kFrameBytes = std::size_t{kWidth} * kHeight * 3;

struct RasterModule {
  RasterModule() { StartRasterModule(); }
  ~RasterModule() { StopRasterModule(); }
};

void Memset(benchmark::State& state) {
  std::vector<std::uint8_t> frame(kFrameBytes);
  int value = 0;
  for (auto _ : state) {
    std::memset(frame.data(), ++value & 0x3F, frame.size());
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(Memset);

void NoiseFill(benchmark::State& state) {
  RasterModule module;
  TBitmap bitmap;
  bitmap.SetPixelDepth(24);
  bitmap.SetWidth(kWidth);
  bitmap.SetHeight(kHeight);
  for (auto _ : state) {
    FillWithStatic(bitmap);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFrameBytes));
}
BENCHMARK(NoiseFill);

// A frame without its caption, copied into a window.
void StaticFrame(benchmark::State& state) {
  RasterModule module;
  FakeWindow window(kWidth, kHeight);
  for (auto _ : state) {
    std::unique_ptr<TBitmap> frame = BuildStaticFrame(kWidth, kHeight);
    PresentFrame(window.handle(), *frame);
  }
}
BENCHMARK(StaticFrame);

// The whole frame as the window gets it, caption included.
void WholeFrame(benchmark::State& state) {
  RasterModule module;
  FakeWindow window(kWidth, kHeight);
  FrameWidth = kWidth;
  FrameHeight = kHeight;
  ResetCaptionSchedule();
  for (int i = 0; i < 60; ++i) AdvanceCaption();  // the first Ukrainian caption
  for (auto _ : state) ComposeFrame(window.handle());
}
BENCHMARK(WholeFrame);

}  // namespace
