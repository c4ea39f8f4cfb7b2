// The pen lines and ellipse outlines are drawn with.
#pragma once

#include "raster/descriptions.h"
#include "raster/graphics_object.h"

class TPen : public TGraphicsObject {
 public:
  TPen();

  int Width() const { return key_.Width; }
  void SetWidth(int width);  // a negative width is ignored
  TColor Color() const { return key_.Color; }
  void SetColor(TColor color);
  TPenStyle Style() const { return key_.Style; }
  TPenMode Mode() const { return pmCopy; }

  // The platform pen of the current description, made on first request.
  HPEN Handle();

 private:
  PenKey key_;
};
