#include "core/noise_fill.h"

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
// reloaded around every one of them; a local one stays in a register.
std::uint32_t ScalarLocalFill(std::uint8_t* pixels, std::size_t count, std::uint32_t state) {
  for (std::size_t i = 0; i < count; ++i, pixels += 3) {
    state = state * kRandomMultiplier + 1u;
    const auto level = static_cast<std::uint8_t>((std::uint64_t{state} * 90u) >> 32);
    pixels[0] = level;
    pixels[1] = level;
    pixels[2] = level;
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

NoiseRowFill FastestNoiseFill() {
  static const NoiseRowFill chosen = [] {
    for (NoiseKernel kernel : {NoiseKernel::Avx2, NoiseKernel::Sse2}) {
      if (NoiseRowFill fill = NoiseKernelFill(kernel)) return fill;
    }
    return ScalarLocalFill;
  }();
  return chosen;
}
