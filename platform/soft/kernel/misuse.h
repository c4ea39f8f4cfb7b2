// The count of misuses: calls that Windows tolerates silently but that this
// program must never make, such as deleting an object still selected into a
// context or entering a critical section that was never initialised. Any
// layer of the platform notes one; tests read the count (soft.h).
#pragma once

namespace soft {

void NoteMisuse();

}  // namespace soft
