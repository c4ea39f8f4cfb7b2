#include "core/noise_fill_x86.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

#include <array>

#include "core/random_source.h"

namespace {

// A block is 16 pixels (48 bytes) for SSE2 and 32 for AVX2: every lane
// steps a whole block's draws at once.
constexpr std::size_t kBlock = 16;
constexpr RandomJump kBlockJump = RandomJumpOf(kBlock);
constexpr std::size_t kWideBlock = 32;
constexpr RandomJump kWideBlockJump = RandomJumpOf(kWideBlock);

// Jumps 1 to 32: the state of pixel i of a block is kPixelJump[i] applied to
// the state before the block.
constexpr auto kPixelJump = [] {
  std::array<RandomJump, kWideBlock> jumps{};
  for (unsigned i = 0; i < kWideBlock; ++i) jumps[i] = RandomJumpOf(i + 1);
  return jumps;
}();

// The states of the given pixels of a block that starts after `state`.
template <std::size_t N>
std::array<std::uint32_t, N> LaneStates(std::uint32_t state, const int (&pixels)[N]) {
  std::array<std::uint32_t, N> lanes{};
  for (std::size_t i = 0; i < N; ++i) lanes[i] = kPixelJump[static_cast<std::size_t>(pixels[i])].Apply(state);
  return lanes;
}

std::uint32_t Finish(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  return NoiseKernelFill(NoiseKernel::ScalarLocal)(pixels, count, state);
}

// ---- SSE2: four vectors of four lanes, pixels 0-3, 4-7, 8-11, 12-15 ----------

#define SSE2_KERNEL __attribute__((target("sse2")))

SSE2_KERNEL __m128i MultiplyLow(__m128i a, __m128i b) {
  const __m128i even = _mm_mul_epu32(a, b);
  const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), b);
  return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                            _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

// The upper half of state x 90 in each lane: the grey, 0 to 89.
SSE2_KERNEL __m128i Levels(__m128i states) {
  const __m128i ninety = _mm_set1_epi32(90);
  const __m128i even = _mm_mul_epu32(states, ninety);
  const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(states, 32), ninety);
  return _mm_or_si128(_mm_srli_epi64(even, 32), _mm_and_si128(odd, _mm_set_epi32(-1, 0, -1, 0)));
}

// Four greys as four 3-byte pixels in the low 12 bytes, the rest zero.
SSE2_KERNEL __m128i FourPixels(__m128i levels) {
  const __m128i spread =
      _mm_or_si128(levels, _mm_or_si128(_mm_slli_epi32(levels, 8), _mm_slli_epi32(levels, 16)));
  const __m128i pairs = _mm_or_si128(_mm_and_si128(spread, _mm_set_epi32(0, 0xFFFFFF, 0, 0xFFFFFF)),
                                     _mm_and_si128(_mm_srli_epi64(spread, 8), _mm_set_epi32(0xFFFF, 0xFF000000, 0xFFFF, 0xFF000000)));
  return _mm_or_si128(_mm_move_epi64(pairs), _mm_slli_si128(_mm_srli_si128(pairs, 8), 6));
}

SSE2_KERNEL std::uint32_t Sse2Fill(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  if (count < kBlock) return Finish(pixels, count, state);
  static constexpr int kLanes[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  const auto lanes = LaneStates(state, kLanes);
  const auto* first = reinterpret_cast<const __m128i*>(lanes.data());
  __m128i s0 = _mm_loadu_si128(first);
  __m128i s1 = _mm_loadu_si128(first + 1);
  __m128i s2 = _mm_loadu_si128(first + 2);
  __m128i s3 = _mm_loadu_si128(first + 3);
  const __m128i multiply = _mm_set1_epi32(static_cast<int>(kBlockJump.multiply));
  const __m128i add = _mm_set1_epi32(static_cast<int>(kBlockJump.add));
  std::size_t done = 0;
  for (; done + kBlock <= count; done += kBlock, pixels += 3 * kBlock) {
    const __m128i t0 = FourPixels(Levels(s0));
    const __m128i t1 = FourPixels(Levels(s1));
    const __m128i t2 = FourPixels(Levels(s2));
    const __m128i t3 = FourPixels(Levels(s3));
    auto* out = reinterpret_cast<__m128i*>(pixels);
    _mm_storeu_si128(out, _mm_or_si128(t0, _mm_slli_si128(t1, 12)));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(t1, 4), _mm_slli_si128(t2, 8)));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(t2, 8), _mm_slli_si128(t3, 4)));
    s0 = _mm_add_epi32(MultiplyLow(s0, multiply), add);
    s1 = _mm_add_epi32(MultiplyLow(s1, multiply), add);
    s2 = _mm_add_epi32(MultiplyLow(s2, multiply), add);
    s3 = _mm_add_epi32(MultiplyLow(s3, multiply), add);
    state = kBlockJump.Apply(state);
  }
  return Finish(pixels, count - done, state);
}

// ---- AVX2: four vectors of eight lanes, 32 pixels ------------------------------
// The lanes are ordered so that packing the four vectors' greys to bytes lays
// them out in pixel order, 0-15 in the low half and 16-31 in the high one.

#define AVX2_KERNEL __attribute__((target("avx2")))

// The jumps of the 32 lanes, in lane order, ready to load.
struct WideLaneJumps {
  alignas(32) std::uint32_t multiply[kWideBlock];
  alignas(32) std::uint32_t add[kWideBlock];
};
constexpr WideLaneJumps kWideLaneJumps = [] {
  constexpr int kLanes[kWideBlock] = {0,  1,  2,  3,  16, 17, 18, 19, 4,  5,  6,  7,  20, 21, 22, 23,
                                      8,  9,  10, 11, 24, 25, 26, 27, 12, 13, 14, 15, 28, 29, 30, 31};
  WideLaneJumps jumps{};
  for (std::size_t i = 0; i < kWideBlock; ++i) {
    jumps.multiply[i] = kPixelJump[static_cast<std::size_t>(kLanes[i])].multiply;
    jumps.add[i] = kPixelJump[static_cast<std::size_t>(kLanes[i])].add;
  }
  return jumps;
}();

// Eight lanes' states, the block's start state in every lane of `start`.
AVX2_KERNEL __m256i WideLane(__m256i start, int v) {
  const auto* multiplies = reinterpret_cast<const __m256i*>(kWideLaneJumps.multiply);
  const auto* adds = reinterpret_cast<const __m256i*>(kWideLaneJumps.add);
  return _mm256_add_epi32(_mm256_mullo_epi32(start, _mm256_load_si256(multiplies + v)), _mm256_load_si256(adds + v));
}

AVX2_KERNEL __m256i Levels8(__m256i states) {
  const __m256i ninety = _mm256_set1_epi32(90);
  const __m256i even = _mm256_mul_epu32(states, ninety);
  const __m256i odd = _mm256_mul_epu32(_mm256_srli_epi64(states, 32), ninety);
  return _mm256_blend_epi32(_mm256_srli_epi64(even, 32), odd, 0xAA);
}

AVX2_KERNEL void Put(bool stream, __m256i* out, __m256i bytes) {
  if (stream) {
    _mm256_stream_si256(out, bytes);
  } else {
    _mm256_storeu_si256(out, bytes);
  }
}

// With kStream the blocks are written past the cache, which needs 32-byte
// aligned addresses: the pixels before the first such one go plainly.
template <bool kStream>
AVX2_KERNEL std::uint32_t Avx2Fill(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  if (kStream) {
    const std::size_t head = PixelsBeforeAligned(pixels, 32);
    if (count < head + kWideBlock) return Finish(pixels, count, state);
    state = Finish(pixels, head, state);
    pixels += 3 * head, count -= head;
  }
  if (count < kWideBlock) return Finish(pixels, count, state);
  // The lanes start with one multiply-add each, not 32 scalar steps a row.
  const __m256i start = _mm256_set1_epi32(static_cast<int>(state));
  __m256i s0 = WideLane(start, 0);
  __m256i s1 = WideLane(start, 1);
  __m256i s2 = WideLane(start, 2);
  __m256i s3 = WideLane(start, 3);
  const __m256i multiply = _mm256_set1_epi32(static_cast<int>(kWideBlockJump.multiply));
  const __m256i add = _mm256_set1_epi32(static_cast<int>(kWideBlockJump.add));
  // Each grey three times. Of 16 greys, spread 0 gives bytes 0-15 of their
  // 48, spread 1 bytes 16-31 and spread 2 bytes 32-47.
  const __m256i spread01 = _mm256_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5,  //
                                            5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
  const __m256i spread20 = _mm256_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15,  //
                                            0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
  const __m256i spread12 = _mm256_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10,  //
                                            10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
  std::size_t done = 0;
  for (; done + kWideBlock <= count; done += kWideBlock, pixels += 3 * kWideBlock) {
    const __m256i low = _mm256_packus_epi32(Levels8(s0), Levels8(s1));
    const __m256i high = _mm256_packus_epi32(Levels8(s2), Levels8(s3));
    const __m256i greys = _mm256_packus_epi16(low, high);  // pixels 0-15 | 16-31
    auto* out = reinterpret_cast<__m256i*>(pixels);
    Put(kStream, out, _mm256_shuffle_epi8(_mm256_permute2x128_si256(greys, greys, 0x00), spread01));
    Put(kStream, out + 1, _mm256_shuffle_epi8(greys, spread20));
    Put(kStream, out + 2, _mm256_shuffle_epi8(_mm256_permute2x128_si256(greys, greys, 0x11), spread12));
    s0 = _mm256_add_epi32(_mm256_mullo_epi32(s0, multiply), add);
    s1 = _mm256_add_epi32(_mm256_mullo_epi32(s1, multiply), add);
    s2 = _mm256_add_epi32(_mm256_mullo_epi32(s2, multiply), add);
    s3 = _mm256_add_epi32(_mm256_mullo_epi32(s3, multiply), add);
    state = kWideBlockJump.Apply(state);
  }
  return Finish(pixels, count - done, state);
}

bool Supports(NoiseKernel kernel) {
  __builtin_cpu_init();
  switch (kernel) {
    case NoiseKernel::Sse2: return __builtin_cpu_supports("sse2");
    case NoiseKernel::Avx2:
    case NoiseKernel::Avx2Stream: return __builtin_cpu_supports("avx2");
    default: return false;
  }
}

}  // namespace

NoiseRowFill X86NoiseFill(NoiseKernel kernel) {
  if (kernel == NoiseKernel::Avx512) return X86Avx512NoiseFill();
  if (!Supports(kernel)) return nullptr;
  switch (kernel) {
    case NoiseKernel::Avx2: return Avx2Fill<false>;
    case NoiseKernel::Avx2Stream: return Avx2Fill<true>;
    default: return Sse2Fill;
  }
}

__attribute__((target("sse"))) void OrderStreamedStores() { _mm_sfence(); }

#else

NoiseRowFill X86NoiseFill(NoiseKernel) { return nullptr; }

void OrderStreamedStores() {}

#endif
