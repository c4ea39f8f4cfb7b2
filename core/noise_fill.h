// The static of a frame, one row at a time: each pixel gets the grey that one
// step of the random source draws from 0 to 89, in all three of its bytes.
// Several kernels give exactly the same bytes and final state; the widest
// one the processor runs is chosen once, at run time.
#pragma once

#include <cstddef>
#include <cstdint>

// Fills `count` pixels of 3 bytes starting at `pixels`; pixel i gets the
// value of step i + 1 after `state`. Returns the state after the last step.
using NoiseRowFill = std::uint32_t (*)(std::uint8_t* pixels, std::size_t count, std::uint32_t state);

enum class NoiseKernel {
  Serial,       // RandomBelow(90) per pixel, through the shared state
  ScalarLocal,  // the same steps with the state kept in a local
  Sse2,         // 16 pixels a step, every x86-64 processor has it
  Avx2,
  Avx512,       // 64 pixels a step, with byte permutations (AVX-512 VBMI)
  // AVX2 writing past the cache: for pictures larger than it, where a plain
  // store first reads the line it writes (past the cache the AVX-512
  // kernel's wider multiplies gain nothing over it). Its stores are left
  // unordered with later ones: call OrderStreamedStores after the last row
  // (a fence after every row would cost a fifth of the fill).
  Avx2Stream,
};

// nullptr when this build or this processor cannot run the kernel.
NoiseRowFill NoiseKernelFill(NoiseKernel kernel);

// Pictures of more bytes than this are better written past the cache; a
// smaller one stays in it, to be read back at once.
constexpr std::size_t kNoisePastCacheBytes = std::size_t{8} << 20;

// The widest kernel this processor runs, for a picture of `picture_bytes`.
NoiseRowFill FastestNoiseFill(std::size_t picture_bytes = 0);

// Orders the streaming kernels' stores before any later store, so that
// whoever sees those sees the picture.
void OrderStreamedStores();
