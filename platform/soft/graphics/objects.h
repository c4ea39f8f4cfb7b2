// The software platform's object model: the handle table and the objects
// behind GDI handles (pens, brushes, fonts, bitmaps, drawing contexts) and
// windows. Shared by the parts of platform/soft; nothing above the platform
// includes this file.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/soft/graphics/pixel_memory.h"
#include "platform/win32.h"

namespace soft {

enum class Kind : std::uint8_t { Pen = 1, Brush, Font, Bitmap, Dc, Window };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  const Kind kind;
  bool stock = false;                // stock objects are never deleted
  std::atomic<int> selections{0};   // drawing contexts that have it selected
};

// Pixel memory that a drawing context draws on, addressed from the picture's
// top row whichever way its rows lie in memory. Width and height are also the
// clip rectangle: nothing outside (0, 0, width, height) is ever written.
struct Surface {
  std::uint8_t* bits = nullptr;  // first byte of the picture's top row
  int width = 0;
  int height = 0;
  int stride = 0;           // bytes from a row to the one below it: negative where
                            // the top row is the last in memory (a bottom-up section)
  int bytes_per_pixel = 3;  // 3: blue, green, red; 4: blue, green, red, unused

  bool Empty() const { return bits == nullptr || width <= 0 || height <= 0; }
  std::uint8_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * stride; }
};

struct PenObject : Object {
  PenObject() : Object(Kind::Pen) {}
  LOGPEN pen{};
};

struct BrushObject : Object {
  BrushObject() : Object(Kind::Brush) {}
  LOGBRUSH brush{};
};

// A platform font is only its description; the text engine resolves and
// caches faces by description, so making a font costs nothing.
struct FontObject : Object {
  FontObject() : Object(Kind::Font) {}
  LOGFONTA font{};
};

struct BitmapObject : Object {
  BitmapObject() : Object(Kind::Bitmap) {}
  DIBSECTION section{};
  PixelMemory memory;
  Surface surface;
};

// Something outside the GDI that a drawing context draws on: a window's
// client area. Lock() gives the pixels for one drawing operation (an empty
// surface draws nothing) and Unlock() ends it; Released() is called by
// ReleaseDC so that the window can present what was drawn.
class DeviceTarget {
 public:
  virtual ~DeviceTarget() = default;
  virtual Surface Lock() = 0;
  virtual void Unlock() = 0;
  virtual void Released() {}
};

struct DcObject : Object {
  DcObject() : Object(Kind::Dc) {}
  bool memory = false;                    // made by CreateCompatibleDC
  HWND window = nullptr;                  // the window of a GetDC context
  std::shared_ptr<DeviceTarget> device;   // a window's client area, or none
  HGDIOBJ pen = nullptr;
  HGDIOBJ brush = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;               // memory contexts only
  COLORREF text_color = 0x000000;
  COLORREF bk_color = 0xFFFFFF;
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretch_mode = BLACKONWHITE;
  POINT position{0, 0};
};

// A window as the GDI sees it; the windowing part of the platform derives
// its windows from this.
class WindowBase : public Object {
 public:
  WindowBase() : Object(Kind::Window) {}
  virtual std::shared_ptr<DeviceTarget> ClientTarget() = 0;
};

// ---- Handle table -----------------------------------------------------------
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

// For a call's failure path: sets the calling thread's last error and gives
// back result.
template <class Result>
Result FailWith(DWORD error, Result result) {
  SetLastError(error);
  return result;
}

// The context a call works on; when dc names none, the last error becomes
// ERROR_INVALID_HANDLE and the result is nullptr.
inline std::shared_ptr<DcObject> UseDc(HDC dc) {
  std::shared_ptr<DcObject> found = FindDc(dc);
  if (found == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return found;
}

// What a brush fills with: a brush handle, or a system colour index plus one
// in its place, as the platform allows. False when brush names neither;
// otherwise fill is its colour, or empty for a hollow brush.
bool BrushFill(HBRUSH brush, std::optional<COLORREF>& fill);

// The pixels a context draws on for the length of one operation: the
// selected bitmap of a memory context, which it keeps alive meanwhile, or the
// locked client area of a window.
class SurfaceAccess {
 public:
  explicit SurfaceAccess(DcObject& dc);
  ~SurfaceAccess();
  SurfaceAccess(const SurfaceAccess&) = delete;
  SurfaceAccess& operator=(const SurfaceAccess&) = delete;
  const Surface& surface() const { return surface_; }

 private:
  DeviceTarget* device_ = nullptr;
  std::shared_ptr<const Object> bitmap_;
  Surface surface_;
};

}  // namespace soft
