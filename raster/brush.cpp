#include "raster/brush.h"

TBrush::TBrush()
    : TGraphicsObject(RasterModule(), &TRasterModule::BrushCache, DescriptionBytes(DefaultBrushKey)),
      key_(DefaultBrushKey) {}

template <class Edit>
void TBrush::ChangeDescription(Edit edit) {
  TLockScope scope(OwnerLock());
  BrushKey key = key_;
  key.Handle = nullptr;
  edit(key);
  Cache().Replace(*this, DescriptionBytes(key));
  key_ = key;
}

void TBrush::SetStyle(TBrushStyle style) {
  ChangeDescription([style](BrushKey& key) {
    key.Style = style;
    if (style == bsClear) key.Color = clWhite;
  });
}

void TBrush::SetColor(TColor color) {
  ChangeDescription([color](BrushKey& key) { key.Color = color; });
}

HBRUSH TBrush::Handle() {
  return static_cast<HBRUSH>(Cache().Realise(Entry(), [this] {
    LOGBRUSH brush{};
    switch (key_.Style) {
      case bsSolid: brush.lbStyle = BS_SOLID; break;
      case bsClear: brush.lbStyle = BS_HOLLOW; break;
      default:
        brush.lbStyle = BS_HATCHED;
        brush.lbHatch = static_cast<ULONG_PTR>(key_.Style - bsHorizontal);
        break;
    }
    brush.lbColor = ToRgb(key_.Color);
    return static_cast<HGDIOBJ>(CreateBrushIndirect(&brush));
  }));
}
