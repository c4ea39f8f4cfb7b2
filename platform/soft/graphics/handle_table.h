// Handles to objects and back: the table behind every GDI and window handle.
#pragma once

#include <memory>

#include "platform/soft/graphics/objects.h"
#include "platform/win32.h"

namespace soft {

// Every handle names a slot and the slot's generation, so a stale or deleted
// handle is recognised instead of dereferenced. The table is thread-safe; the
// objects themselves are used by one thread at a time. A lookup hands out a
// reference: an object lives until its handle is removed and the last finder
// has let go of it, so a thread that deletes a handle never frees an object
// that another thread is still using. (Windows are kept after they are
// destroyed, so a raw pointer to one stays valid.)
HANDLE Insert(std::shared_ptr<Object> object);
std::shared_ptr<Object> Find(HANDLE handle);  // empty for a stale, deleted or foreign handle
std::shared_ptr<Object> Remove(HANDLE handle);

template <class T>
std::shared_ptr<T> FindAs(HANDLE handle, Kind kind) {
  std::shared_ptr<Object> object = Find(handle);
  return object != nullptr && object->kind == kind ? std::static_pointer_cast<T>(std::move(object)) : nullptr;
}

inline std::shared_ptr<DcObject> FindDc(HDC dc) { return FindAs<DcObject>(dc, Kind::Dc); }

// The context a call works on; when dc names none, the last error becomes
// ERROR_INVALID_HANDLE and the result is nullptr.
inline std::shared_ptr<DcObject> UseDc(HDC dc) {
  std::shared_ptr<DcObject> found = FindDc(dc);
  if (found == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return found;
}

}  // namespace soft
