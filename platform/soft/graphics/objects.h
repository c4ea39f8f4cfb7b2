// The objects behind GDI handles: pens, brushes, fonts, bitmaps and drawing
// contexts (windows derive theirs from WindowBase, window_seams.h). Shared by
// the parts of platform/soft; nothing above the platform includes this file.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/soft/graphics/pixel_memory.h"
#include "platform/soft/graphics/surface.h"
#include "platform/win32.h"

namespace soft {

class DeviceTarget;  // window_seams.h

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

}  // namespace soft
