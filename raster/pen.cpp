#include "raster/pen.h"

TPen::TPen()
    : TGraphicsObject(RasterModule(), &TRasterModule::PenCache, DescriptionBytes(DefaultPenKey)),
      key_(DefaultPenKey) {}

void TPen::SetWidth(int width) {
  if (width < 0) return;
  ChangeDescription(key_, [width](PenKey& key) { key.Width = width; });
}

void TPen::SetColor(TColor color) {
  ChangeDescription(key_, [color](PenKey& key) { key.Color = color; });
}

HPEN TPen::Handle() {
  return static_cast<HPEN>(Cache().Realise(Entry(), [this] {
    // Pen styles 0 to 6 are the platform's PS_ values in the same order.
    LOGPEN pen{};
    pen.lopnStyle = key_.Style;
    pen.lopnWidth.x = key_.Width;
    pen.lopnColor = ToRgb(key_.Color);
    return static_cast<HGDIOBJ>(CreatePenIndirect(&pen));
  }));
}
