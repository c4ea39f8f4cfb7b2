// Takes a drawing context's pixels for one operation and gives them back.
#include "platform/soft/graphics/surface_access.h"

#include <utility>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/window_seams.h"

namespace soft {

SurfaceAccess::SurfaceAccess(DcObject& dc) {
  if (dc.device != nullptr) {
    device_ = dc.device.get();
    surface_ = device_->Lock();
    return;
  }
  if (dc.memory) {
    if (auto bitmap = FindAs<BitmapObject>(dc.bitmap, Kind::Bitmap)) {
      surface_ = bitmap->surface;
      bitmap_ = std::move(bitmap);
    }
  }
}

SurfaceAccess::~SurfaceAccess() {
  if (device_ != nullptr) device_->Unlock();
}

}  // namespace soft
