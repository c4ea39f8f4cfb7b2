// Looking at an object while the handle table is locked, for the few callers
// that must not race with another thread removing it (a window being
// destroyed while the animation thread asks for its drawing context).
#pragma once

#include <functional>

#include "platform/soft/graphics/objects.h"

namespace soft {

// Calls visit with the object of handle while no thread can remove it, and
// returns whether the handle named a live object. visit must not call back
// into the handle table.
bool VisitLocked(HANDLE handle, const std::function<void(Object&)>& visit);

}  // namespace soft
