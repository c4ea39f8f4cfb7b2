#include "raster/graphics_object.h"

TGraphicsObject::TGraphicsObject(TResourceManager& cache, const TDescriptionBytes& description)
    : cache_(cache), entry_(cache.Acquire(description)) {}

TGraphicsObject::~TGraphicsObject() { cache_.Release(entry_); }

void TGraphicsObject::Changed() {
  if (on_change_) on_change_();
}
