// How long the parts of a frame take, each beside the physical floor of
// writing the frame's bytes once (a memset of width x height x 3 bytes), at
// the window's default size and at 3840x2160. The run ends with a table of
// the ratios, all measured in this one run.
#include <benchmark/benchmark.h>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "core/frame_size.h"
#include "core/noise_fill.h"
#include "core/random_source.h"
#include "raster/raster_module.h"
#include "support/fake_window.h"

namespace {

std::size_t FrameBytes(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0)) * static_cast<std::size_t>(state.range(1)) * 3;
}

struct RasterModule {
  RasterModule() { StartRasterModule(); }
  ~RasterModule() { StopRasterModule(); }
};

void Sizes(benchmark::internal::Benchmark* bench) {
  bench->Args({1024, 768})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

void Memset(benchmark::State& state) {
  std::vector<std::uint8_t> frame(FrameBytes(state));
  int value = 0;
  for (auto _ : state) {
    std::memset(frame.data(), ++value & 0x3F, frame.size());
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Memset)->Apply(Sizes);

// Floors below any computed frame, beside the memset: the frame's bytes
// written with the widest plain vector stores (the way every kernel writes;
// the C library's memset may use stores that bypass the cache), and read
// and written once by memcpy (the least a copy of them can do).
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
__attribute__((target("avx512f"))) void Stores64(std::uint8_t* bytes, std::size_t size, int value) {
  const __m512i fill = _mm512_set1_epi8(static_cast<char>(value));
  std::size_t i = 0;
  for (; i + 64 <= size; i += 64) _mm512_storeu_si512(bytes + i, fill);
  std::memset(bytes + i, value, size - i);
}
__attribute__((target("avx2"))) void Stores32(std::uint8_t* bytes, std::size_t size, int value) {
  const __m256i fill = _mm256_set1_epi8(static_cast<char>(value));
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + i), fill);
  std::memset(bytes + i, value, size - i);
}
void VectorStores(benchmark::State& state) {
  __builtin_cpu_init();
  const auto store = __builtin_cpu_supports("avx512f") ? Stores64 : __builtin_cpu_supports("avx2") ? Stores32 : nullptr;
  if (store == nullptr) {
    state.SkipWithError("this processor has no wide vector stores");
    return;
  }
  std::vector<std::uint8_t> frame(FrameBytes(state));
  int value = 0;
  for (auto _ : state) {
    store(frame.data(), frame.size(), ++value & 0x3F);
    benchmark::DoNotOptimize(frame.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(VectorStores)->Apply(Sizes);
#endif

void Memcpy(benchmark::State& state) {
  std::vector<std::uint8_t> from(FrameBytes(state), 0x2A);
  std::vector<std::uint8_t> to(FrameBytes(state));
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), to.size());
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(Memcpy)->Apply(Sizes);

// The static alone, row by row into a frame bitmap, with one kernel.
void NoiseFill(benchmark::State& state, NoiseKernel kernel) {
  const NoiseRowFill fill = NoiseKernelFill(kernel);
  if (fill == nullptr) {
    state.SkipWithError("this processor lacks the kernel's instructions");
    return;
  }
  RasterModule module;
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  std::unique_ptr<TBitmap> bitmap = MakeWhiteBitmap(width, height);
  std::uint32_t random = 0;
  for (auto _ : state) {
    for (int y = 0; y < height; ++y) random = fill(bitmap->RowPixels(y), static_cast<std::size_t>(width), random);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(NoiseFill, Serial, NoiseKernel::Serial)->Apply(Sizes);
BENCHMARK_CAPTURE(NoiseFill, ScalarLocal, NoiseKernel::ScalarLocal)->Apply(Sizes);
BENCHMARK_CAPTURE(NoiseFill, Sse2, NoiseKernel::Sse2)->Apply(Sizes);
BENCHMARK_CAPTURE(NoiseFill, Avx2, NoiseKernel::Avx2)->Apply(Sizes);
BENCHMARK_CAPTURE(NoiseFill, Avx512, NoiseKernel::Avx512)->Apply(Sizes);
BENCHMARK_CAPTURE(NoiseFill, Avx2Stream, NoiseKernel::Avx2Stream)->Apply(Sizes);

// A finished frame copied into a window of the same size (3 bytes a pixel
// into 4).
void CopyIntoWindow(benchmark::State& state) {
  RasterModule module;
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  FakeWindow window(width, height);
  std::unique_ptr<TBitmap> frame = MakeWhiteBitmap(width, height);
  FillWithStatic(*frame);
  for (auto _ : state) PresentFrame(window.handle(), *frame);
}
BENCHMARK(CopyIntoWindow)->Apply(Sizes);

// A frame without its caption, made and copied into a window.
void StaticFrame(benchmark::State& state) {
  RasterModule module;
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  FakeWindow window(width, height);
  for (auto _ : state) {
    std::unique_ptr<TBitmap> frame = BuildStaticFrame(width, height);
    PresentFrame(window.handle(), *frame);
  }
}
BENCHMARK(StaticFrame)->Apply(Sizes);

// The whole frame as the window gets it, caption included.
void WholeFrame(benchmark::State& state) {
  RasterModule module;
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  FakeWindow window(width, height);
  FrameWidth = width;
  FrameHeight = height;
  ResetCaptionSchedule();
  for (int i = 0; i < 60; ++i) AdvanceCaption();  // the first Ukrainian caption
  for (auto _ : state) ComposeFrame(window.handle());
}
BENCHMARK(WholeFrame)->Apply(Sizes);

// Prints the usual lines, then each benchmark's time as a multiple of the
// memset of the same size.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      // "NoiseFill/Avx2/1024/768": the part, then width and height. Other
      // benchmarks in the same program have no size and no ratio.
      const std::string name = run.benchmark_name();
      const std::size_t height_slash = name.rfind('/');
      if (height_slash == std::string::npos || height_slash == 0) continue;
      const std::size_t width_slash = name.rfind('/', height_slash - 1);
      if (width_slash == std::string::npos) continue;
      const std::string part = name.substr(0, width_slash);
      std::string size = name.substr(width_slash + 1);
      if (size.find_first_not_of("0123456789/") != std::string::npos) continue;
      size[height_slash - width_slash - 1] = 'x';
      times_[part][size] = run.GetAdjustedCPUTime();
      if (std::find(sizes_.begin(), sizes_.end(), size) == sizes_.end()) sizes_.push_back(size);
      if (std::find(names_.begin(), names_.end(), part) == names_.end()) names_.push_back(part);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    // Processor time: on a shared machine the wall clock also counts the
    // time other programs held the processor.
    std::printf("\nCPU time as a multiple of Memset of the frame's bytes (width x height x 3), this run:\n");
    std::printf("%-24s", "");
    for (const std::string& size : sizes_) std::printf("%14s", size.c_str());
    std::printf("\n");
    for (const std::string& name : names_) {
      std::printf("%-24s", name.c_str());
      for (const std::string& size : sizes_) {
        const auto found = times_[name].find(size);
        if (found == times_[name].end() || times_["Memset"][size] <= 0) {
          std::printf("%14s", "-");
        } else {
          std::printf("%13.2fx", found->second / times_["Memset"][size]);
        }
      }
      std::printf("\n");
    }
  }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> sizes_;
  std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
