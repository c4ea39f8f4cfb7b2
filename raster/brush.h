// The brush that fills ellipses and the background of text.
#pragma once

#include "raster/descriptions.h"
#include "raster/graphics_object.h"

class TBrush : public TGraphicsObject {
 public:
  TBrush();

  TBrushStyle Style() const { return key_.Style; }
  // bsClear also makes the colour clWhite, in the same change.
  void SetStyle(TBrushStyle style);
  TColor Color() const { return key_.Color; }
  void SetColor(TColor color);

  // The platform brush of the current description, made on first request.
  HBRUSH Handle();

 private:
  BrushKey key_;
};
