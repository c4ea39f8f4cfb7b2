#include "raster/graphics_object.h"

TGraphicsObject::TGraphicsObject(std::shared_ptr<TRasterModule> module,
                                 TResourceManager TRasterModule::*cache,
                                 const TDescriptionBytes& description)
    : module_(std::move(module)), cache_(module_.get()->*cache), entry_(cache_.Acquire(description)) {}

TGraphicsObject::~TGraphicsObject() { cache_.Release(entry_); }

void TGraphicsObject::Changed() {
  if (on_change_) on_change_();
}
