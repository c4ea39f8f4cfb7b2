// Counts the misuses noted anywhere in the platform.
#include "platform/soft/kernel/misuse.h"

#include <atomic>

#include "platform/soft/soft.h"

namespace soft {
namespace {

std::atomic<long> misuses{0};

}  // namespace

void NoteMisuse() { misuses.fetch_add(1); }

long MisuseCount() { return misuses.load(); }

}  // namespace soft
