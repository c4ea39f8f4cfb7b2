#include "raster/brush.h"

TBrush::TBrush()
    : TGraphicsObject(RasterModule(), &TRasterModule::BrushCache, DescriptionBytes(DefaultBrushKey)),
      key_(DefaultBrushKey) {}

void TBrush::SetStyle(TBrushStyle style) {
  ChangeDescription(key_, [style](BrushKey& key) {
    key.Style = style;
    if (style == bsClear) key.Color = clWhite;
  });
}

void TBrush::SetColor(TColor color) {
  ChangeDescription(key_, [color](BrushKey& key) { key.Color = color; });
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
