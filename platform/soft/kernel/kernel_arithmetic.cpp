// kernel32's arithmetic: MulDiv.
#include <cstdint>
#include <limits>

#include "platform/win32.h"

// number * numerator / denominator with a 64-bit product, rounded to the
// nearest integer, halves away from zero; -1 on a zero denominator or a
// result that does not fit, as on Windows.
int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = std::int64_t{number} * numerator;
  const std::uint64_t magnitude = product < 0 ? 0 - static_cast<std::uint64_t>(product)
                                              : static_cast<std::uint64_t>(product);
  const std::uint64_t divisor = denominator < 0 ? 0 - static_cast<std::uint64_t>(denominator)
                                                : static_cast<std::uint64_t>(denominator);
  const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
  const bool negative = (product < 0) != (denominator < 0) && quotient != 0;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<int>::max());
  if (quotient > kMax + (negative ? 1 : 0)) return -1;
  return negative ? static_cast<int>(0 - static_cast<std::int64_t>(quotient))
                  : static_cast<int>(quotient);
}
