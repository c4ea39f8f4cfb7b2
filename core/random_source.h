// The one pseudo-random source of the animation. It always starts from the
// same state, so the same sequence of window sizes paints the same frames.
#pragma once

#include <cstdint>

// Starts at 0; nothing but RandomBelow reads or writes it.
extern std::uint32_t RandomState;

// One step of the generator, scaled into [0, range) by a widening multiply
// (never a remainder): 0 for a range of 0 or 1. Inline, because the noise fill
// calls it once per pixel.
inline std::int32_t RandomBelow(std::int32_t range) {
  RandomState = RandomState * 134775813u + 1u;
  const std::uint64_t product =
      static_cast<std::uint64_t>(RandomState) * static_cast<std::uint32_t>(range);
  return static_cast<std::int32_t>(product >> 32);
}
