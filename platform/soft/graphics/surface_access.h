// A drawing context's pixels, held for one drawing operation.
#pragma once

#include <memory>

#include "platform/soft/graphics/objects.h"
#include "platform/soft/graphics/surface.h"

namespace soft {

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
