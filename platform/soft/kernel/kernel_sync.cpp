// Critical sections (re-entrant locks) and MulDiv.
#include <cstdint>
#include <limits>
#include <mutex>

#include "platform/soft/graphics/objects.h"

namespace {

std::recursive_mutex* LockOf(LPCRITICAL_SECTION section) {
  auto* lock = section != nullptr ? static_cast<std::recursive_mutex*>(section->impl) : nullptr;
  // Using a section that was never initialised, or already deleted, would
  // crash on Windows; here it is counted and ignored.
  if (lock == nullptr) soft::NoteMisuse();
  return lock;
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
  if (section != nullptr) section->impl = new std::recursive_mutex;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
  if (auto* lock = LockOf(section)) lock->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
  auto* lock = LockOf(section);
  return lock != nullptr && lock->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
  if (auto* lock = LockOf(section)) lock->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  if (section == nullptr) return;
  delete static_cast<std::recursive_mutex*>(section->impl);
  section->impl = nullptr;
}

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
