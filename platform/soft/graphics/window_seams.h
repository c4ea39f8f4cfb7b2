// Where the GDI meets windows without knowing them: a window's client area
// as something to draw on, and a window as an object of the handle table.
#pragma once

#include <memory>

#include "platform/soft/graphics/objects.h"
#include "platform/soft/graphics/surface.h"

namespace soft {

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

// A window as the GDI sees it; the windowing part of the platform derives
// its windows from this.
class WindowBase : public Object {
 public:
  WindowBase() : Object(Kind::Window) {}
  virtual std::shared_ptr<DeviceTarget> ClientTarget() = 0;
};

}  // namespace soft
