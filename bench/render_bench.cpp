// The writers of nosignal-render at the window's default size: PNG at every
// level and filter worth trying (size per frame as a counter) beside the
// general-purpose PNG writer with its defaults, which the tool used before;
// and the video conversion beside composing the frame it converts.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "raster/raster_module.h"
#include "tools/output_file.h"
#include "tools/png_encoder.h"
#include "tools/y4m_writer.h"

#if defined(NOSIGNAL_BENCH_LIBPNG)
#include <png.h>
#endif

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// One composed frame of static, kept for the whole run.
TBitmap& Frame() {
  static const bool started = (StartRasterModule(), true);
  (void)started;
  static std::unique_ptr<TBitmap> frame = [] {
    AdvanceCaption();
    return BuildFrame(kWidth, kHeight);
  }();
  return *frame;
}

void Png(benchmark::State& state) {
  const PngSettings settings{static_cast<int>(state.range(0)), static_cast<PngFilter>(state.range(1))};
  TBitmap& frame = Frame();
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    EncodePng(PictureOf(frame), settings, [&bytes](const std::uint8_t*, std::size_t size) { bytes += size; });
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(Png)
    ->ArgNames({"level", "filter"})
    ->ArgsProduct({{0, 1, 2, 3, 6, 9}, {0, 1, 2, 4}})
    ->Unit(benchmark::kMillisecond);

#if defined(NOSIGNAL_BENCH_LIBPNG)
void PngGeneralWriterDefaults(benchmark::State& state) {
  TBitmap& frame = Frame();
  std::vector<std::uint8_t> packed(static_cast<std::size_t>(kWidth) * kHeight * 3);
  for (int y = 0; y < kHeight; ++y) {
    std::copy_n(frame.RowPixels(y), kWidth * 3, packed.begin() + static_cast<std::ptrdiff_t>(y) * kWidth * 3);
  }
  std::vector<std::uint8_t> file(packed.size() * 2);
  png_alloc_size_t bytes = 0;
  for (auto _ : state) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_BGR;
    bytes = file.size();
    if (!png_image_write_to_memory(&image, file.data(), &bytes, 0, packed.data(), 0, nullptr)) {
      state.SkipWithError(image.message);
    }
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(PngGeneralWriterDefaults)->Unit(benchmark::kMillisecond);
#endif

void ComposeFrame(benchmark::State& state) {
  Frame();
  for (auto _ : state) {
    AdvanceCaption();
    benchmark::DoNotOptimize(BuildFrame(kWidth, kHeight));
  }
}
BENCHMARK(ComposeFrame)->Unit(benchmark::kMillisecond);

void ComposeFrameAsVideo(benchmark::State& state) {
  Frame();
  OutputFile null(NOSIGNAL_NULL_DEVICE, "null device");
  Y4mWriter video(null, kWidth, kHeight);
  for (auto _ : state) {
    AdvanceCaption();
    std::unique_ptr<TBitmap> frame = BuildFrame(kWidth, kHeight);
    video.WriteFrame(PictureOf(*frame));
  }
}
BENCHMARK(ComposeFrameAsVideo)->Unit(benchmark::kMillisecond);

// The conversion and write alone, of a frame already composed.
void VideoFrame(benchmark::State& state) {
  TBitmap& frame = Frame();
  OutputFile null(NOSIGNAL_NULL_DEVICE, "null device");
  Y4mWriter video(null, kWidth, kHeight);
  for (auto _ : state) video.WriteFrame(PictureOf(frame));
}
BENCHMARK(VideoFrame)->Unit(benchmark::kMillisecond);

}  // namespace
