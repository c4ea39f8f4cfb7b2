// The vector kernels of the noise fill, for x86 processors. Built without
// any processor flag: each function is compiled for its own instruction set
// and only called after the processor says it has it.
#pragma once

#include "core/noise_fill.h"

// nullptr for a kernel that is not a vector one, on a processor without its
// instructions, or in a build for another architecture.
NoiseRowFill X86NoiseFill(NoiseKernel kernel);

// The AVX-512 kernel (its own file), or nullptr where it cannot run.
NoiseRowFill X86Avx512NoiseFill();
