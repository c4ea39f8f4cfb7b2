#include "core/noise_fill_x86.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

#include <immintrin.h>

#include <array>

#include "core/random_source.h"

// The compiler's own AVX-512 headers start some results from a deliberately
// undefined vector, which this compiler version reports as uninitialised.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace {

// 64 pixels (192 bytes) a step, in four vectors of sixteen lanes: vector k
// holds the states of pixels 16k to 16k + 15.
constexpr unsigned kBlock = 64;
constexpr unsigned kLanes = 16;
constexpr RandomJump kBlockJump = RandomJumpOf(kBlock);

// The state of pixel i of a block is kPixelJump[i] applied to the state
// before it, as two tables that load straight into the lanes.
struct PixelJumps {
  alignas(64) std::uint32_t multiply[kBlock];
  alignas(64) std::uint32_t add[kBlock];
};
constexpr PixelJumps kPixelJump = [] {
  PixelJumps jumps{};
  for (unsigned i = 0; i < kBlock; ++i) {
    jumps.multiply[i] = RandomJumpOf(i + 1).multiply;
    jumps.add[i] = RandomJumpOf(i + 1).add;
  }
  return jumps;
}();

// Multiplying the even lanes of a vector by 90 leaves pixel 2j's grey in
// byte 8j + 4 of the products; doing the same to the odd lanes (shifted down)
// leaves pixel 2j + 1's there. A byte permutation of the two products picks
// each grey three times. Output vector m (bytes 64m to 64m + 63 of the block)
// takes pixels from vector m and vector m + 1: the index table of each, and
// the bytes that come from vector m + 1.
struct Spread {
  std::array<std::uint8_t, 64> from_first{};
  std::array<std::uint8_t, 64> from_second{};
  std::uint64_t second_mask = 0;
};

constexpr std::uint8_t ProductByte(unsigned pixel_in_vector) {
  return static_cast<std::uint8_t>((pixel_in_vector % 2 != 0 ? 64 : 0) + 8 * (pixel_in_vector / 2) + 4);
}

constexpr auto kSpread = [] {
  std::array<Spread, 3> spreads{};
  for (unsigned m = 0; m < 3; ++m) {
    for (unsigned b = 0; b < 64; ++b) {
      const unsigned pixel = (64 * m + b) / 3;
      const std::uint8_t index = ProductByte(pixel % kLanes);
      if (pixel / kLanes == m) {
        spreads[m].from_first[b] = index;
      } else {
        spreads[m].from_second[b] = index;
        spreads[m].second_mask |= std::uint64_t{1} << b;
      }
    }
  }
  return spreads;
}();

#define AVX512_KERNEL __attribute__((target("avx512f,avx512bw,avx512vbmi")))

AVX512_KERNEL __m512i LoadIndex(const std::array<std::uint8_t, 64>& index) {
  return _mm512_loadu_si512(index.data());
}

// The states of the sixteen pixels 16k + 1 to 16k + 16 steps after `state`.
AVX512_KERNEL __m512i StartLanes(std::uint32_t state, unsigned k) {
  const __m512i start = _mm512_set1_epi32(static_cast<int>(state));
  return _mm512_add_epi32(_mm512_mullo_epi32(start, _mm512_load_si512(kPixelJump.multiply + kLanes * k)),
                          _mm512_load_si512(kPixelJump.add + kLanes * k));
}

AVX512_KERNEL std::uint32_t Avx512Fill(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  // Every processor with AVX-512 has AVX2, but a virtual machine may hide it.
  static const NoiseRowFill finish = [] {
    const NoiseRowFill avx2 = X86NoiseFill(NoiseKernel::Avx2);
    return avx2 != nullptr ? avx2 : NoiseKernelFill(NoiseKernel::ScalarLocal);
  }();
  if (count < kBlock) return finish(pixels, count, state);
  __m512i s[4] = {StartLanes(state, 0), StartLanes(state, 1), StartLanes(state, 2), StartLanes(state, 3)};
  const __m512i multiply = _mm512_set1_epi32(static_cast<int>(kBlockJump.multiply));
  const __m512i add = _mm512_set1_epi32(static_cast<int>(kBlockJump.add));
  const __m512i ninety = _mm512_set1_epi32(90);
  __m512i first[3], second[3];
  __mmask64 take_second[3];
  for (int m = 0; m < 3; ++m) {
    first[m] = LoadIndex(kSpread[m].from_first);
    second[m] = LoadIndex(kSpread[m].from_second);
    take_second[m] = kSpread[m].second_mask;
  }
  std::size_t done = 0;
  for (; done + kBlock <= count; done += kBlock, pixels += 3 * kBlock) {
    __m512i even[4], odd[4];
    for (int k = 0; k < 4; ++k) {
      even[k] = _mm512_mul_epu32(s[k], ninety);
      odd[k] = _mm512_mul_epu32(_mm512_srli_epi64(s[k], 32), ninety);
      s[k] = _mm512_add_epi32(_mm512_mullo_epi32(s[k], multiply), add);
    }
    for (int m = 0; m < 3; ++m) {
      const __m512i out = _mm512_mask_blend_epi8(take_second[m], _mm512_permutex2var_epi8(even[m], first[m], odd[m]),
                                                 _mm512_permutex2var_epi8(even[m + 1], second[m], odd[m + 1]));
      _mm512_storeu_si512(pixels + 64 * m, out);
    }
    state = kBlockJump.Apply(state);
  }
  return finish(pixels, count - done, state);
}

}  // namespace

NoiseRowFill X86Avx512NoiseFill() {
  __builtin_cpu_init();
  const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                   __builtin_cpu_supports("avx512vbmi");
  return has ? Avx512Fill : nullptr;
}

#else

NoiseRowFill X86Avx512NoiseFill() { return nullptr; }

#endif
