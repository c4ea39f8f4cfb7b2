#include "raster/bitmap.h"
#include "raster_fixture.h"

namespace {

using TextTest = RasterTest;

TEST_F(TextTest, PaintTextLeavesThePenAfterTheMeasuredAdvance) {
  TBitmap frame;
  MakeFilled(frame, 200, 50, 0);
  TCanvas& canvas = frame.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetSize(22);
  const int width = canvas.MeasureTextWidth("Hello");
  EXPECT_GE(canvas.MeasureTextHeight("Hello"), 29) << "the cell holds the 29-pixel characters";
  EXPECT_LT(canvas.MeasureTextWidth("Hell"), width);
  EXPECT_EQ(canvas.MeasureTextWidth(""), 0);
  EXPECT_FALSE(frame.Modified()) << "measuring runs no hooks";
  for (const POINT at : {POINT{7, 9}, POINT{-30, -4}}) {
    canvas.PaintText(at.x, at.y, "Hello");
    EXPECT_EQ(PositionOf(canvas.Context()).x, at.x + width);
    EXPECT_EQ(PositionOf(canvas.Context()).y, at.y);
  }
  EXPECT_TRUE(frame.Modified());
}

}  // namespace
