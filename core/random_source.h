// The one pseudo-random source of the animation. It always starts from the
// same state, so the same sequence of window sizes paints the same frames.
#pragma once

#include <cstdint>

// Starts at 0; nothing but RandomBelow reads or writes it. Part of the
// animation's state (core/animation_state.cpp).
extern std::uint32_t RandomState;

// One step of the generator, scaled into [0, range) by a widening multiply
// (never a remainder): 0 for a range of 0 or 1. Inline, because the noise fill
// calls it once per pixel.
constexpr std::uint32_t kRandomMultiplier = 134775813u;

inline std::int32_t RandomBelow(std::int32_t range) {
  RandomState = RandomState * kRandomMultiplier + 1u;
  const std::uint64_t product =
      static_cast<std::uint64_t>(RandomState) * static_cast<std::uint32_t>(range);
  return static_cast<std::int32_t>(product >> 32);
}

// k steps of the generator at once: state * multiply + add (mod 2^32) is the
// state k steps later. Composing two multiply-adds gives another one, which
// is what lets the noise fill draw many pixels in parallel.
struct RandomJump {
  std::uint32_t multiply = 1;
  std::uint32_t add = 0;
  constexpr std::uint32_t Apply(std::uint32_t state) const { return state * multiply + add; }
};

constexpr RandomJump RandomJumpOf(unsigned steps) {
  RandomJump jump;
  for (unsigned i = 0; i < steps; ++i) jump = {jump.multiply * kRandomMultiplier, jump.add * kRandomMultiplier + 1u};
  return jump;
}
