#include "core/noise_fill.h"

#include <cstring>
#include <initializer_list>

#include "core/noise_fill_x86.h"
#include "core/random_source.h"

namespace {

// The definition: one call of the shared source per pixel.
std::uint32_t SerialFill(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  RandomState = state;
  for (std::size_t i = 0; i < count; ++i, pixels += 3) {
    const auto level = static_cast<std::uint8_t>(RandomBelow(90));
    pixels[0] = level;
    pixels[1] = level;
    pixels[2] = level;
  }
  return RandomState;
}

// The pixel stores may alias anything, so a shared state would be stored and
// reloaded around every one of them; a local one stays in a register. Four
// interleaved chains, each jumping four steps, keep the multiplier busy
// instead of waiting on one chain, and four pixels (12 bytes) go out in two
// stores.
std::uint8_t Level(std::uint32_t state) { return static_cast<std::uint8_t>((std::uint64_t{state} * 90u) >> 32); }

std::uint32_t ScalarLocalFill(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  constexpr RandomJump kOne = RandomJumpOf(1);
  constexpr RandomJump kFour = RandomJumpOf(4);
  std::size_t done = 0;
  if (count >= 4) {
    std::uint32_t s0 = kOne.Apply(state);
    std::uint32_t s1 = kOne.Apply(s0);
    std::uint32_t s2 = kOne.Apply(s1);
    std::uint32_t s3 = kOne.Apply(s2);
    for (; done + 4 <= count; done += 4, pixels += 12) {
      const std::uint64_t p0 = Level(s0) * 0x010101ull;
      const std::uint64_t p1 = Level(s1) * 0x010101ull;
      const std::uint64_t p2 = Level(s2) * 0x010101ull;
      const std::uint32_t p3 = Level(s3) * 0x010101u;
      // Little-endian byte order is the pixel order; shifts make it so on
      // any machine.
      std::uint8_t bytes[12];
      const std::uint64_t low = p0 | (p1 << 24) | (p2 << 48);
      const std::uint32_t high = static_cast<std::uint32_t>(p2 >> 16) | (p3 << 8);
      for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(low >> (8 * i));
      for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<std::uint8_t>(high >> (8 * i));
      std::memcpy(pixels, bytes, sizeof bytes);
      state = s3;
      s0 = kFour.Apply(s0);
      s1 = kFour.Apply(s1);
      s2 = kFour.Apply(s2);
      s3 = kFour.Apply(s3);
    }
  }
  for (; done < count; ++done, pixels += 3) {
    state = kOne.Apply(state);
    pixels[0] = pixels[1] = pixels[2] = Level(state);
  }
  return state;
}

}  // namespace

NoiseRowFill NoiseKernelFill(NoiseKernel kernel) {
  switch (kernel) {
    case NoiseKernel::Serial: return SerialFill;
    case NoiseKernel::ScalarLocal: return ScalarLocalFill;
    default: return X86NoiseFill(kernel);
  }
}

namespace {

NoiseRowFill FirstOf(std::initializer_list<NoiseKernel> kernels) {
  for (NoiseKernel kernel : kernels) {
    if (NoiseRowFill fill = NoiseKernelFill(kernel)) return fill;
  }
  return ScalarLocalFill;
}

}  // namespace

NoiseRowFill FastestNoiseFill(std::size_t picture_bytes) {
  static const NoiseRowFill in_cache = FirstOf({NoiseKernel::Avx512, NoiseKernel::Avx2, NoiseKernel::Sse2});
  static const NoiseRowFill past_cache = FirstOf(
      {NoiseKernel::Avx2Stream, NoiseKernel::Avx512, NoiseKernel::Avx2, NoiseKernel::Sse2});
  return picture_bytes > kNoisePastCacheBytes ? past_cache : in_cache;
}
