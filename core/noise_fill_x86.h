// The vector kernels of the noise fill, for x86 processors. Built without
// any processor flag: each function is compiled for its own instruction set
// and only called after the processor says it has it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/noise_fill.h"

// nullptr for a kernel that is not a vector one, on a processor without its
// instructions, or in a build for another architecture.
NoiseRowFill X86NoiseFill(NoiseKernel kernel);

// The AVX-512 kernel (its own file), or nullptr where it cannot run.
NoiseRowFill X86Avx512NoiseFill();

// How many 3-byte pixels from `pixels` on come before the first one that
// starts at a multiple of `align` (a power of two): streaming stores need
// such an address. Since 3 and `align` share no factor, it is fewer than
// `align`.
inline std::size_t PixelsBeforeAligned(const std::uint8_t* pixels, std::size_t align) {
  const auto address = reinterpret_cast<std::uintptr_t>(pixels);
  std::size_t head = 0;
  while ((address + 3 * head) % align != 0) ++head;
  return head;
}
