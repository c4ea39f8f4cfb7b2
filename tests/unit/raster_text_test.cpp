#include "raster/bitmap.h"
#include "raster_fixture.h"

namespace {

using TextTest = RasterTest;

POINT PositionOf(HDC dc) {
  POINT position{-1, -1};
  GetCurrentPositionEx(dc, &position);
  return position;
}

TEST_F(TextTest, MeasuresAreTheAdvanceAndTheCellHeight) {
  TBitmap frame;
  MakeFilled(frame, 10, 10, 0);
  TCanvas& canvas = frame.Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetSize(22);
  const SIZE size = canvas.MeasureText("Hello");
  EXPECT_GT(size.cx, 0);
  EXPECT_GT(size.cy, 0);
  EXPECT_EQ(canvas.MeasureTextWidth("Hello"), size.cx);
  EXPECT_EQ(canvas.MeasureTextHeight("Hello"), size.cy);
  EXPECT_LT(canvas.MeasureTextWidth("Hell"), size.cx);
  EXPECT_EQ(canvas.MeasureTextWidth(""), 0);
  EXPECT_FALSE(frame.Modified()) << "measuring runs no hooks";
}

TEST_F(TextTest, PaintTextLeavesThePenAfterTheText) {
  TBitmap frame;
  MakeFilled(frame, 200, 50, 0);
  TCanvas& canvas = frame.Canvas();
  const int width = canvas.MeasureTextWidth("Hello");
  canvas.PaintText(7, 9, "Hello");
  EXPECT_EQ(PositionOf(canvas.Context()).x, 7 + width);
  EXPECT_EQ(PositionOf(canvas.Context()).y, 9);
  canvas.PaintText(-30, -4, "Hello");
  EXPECT_EQ(PositionOf(canvas.Context()).x, -30 + width);
  EXPECT_TRUE(frame.Modified());
}

TEST_F(TextTest, TextColourIsTheFontColourAtSelection) {
  TBitmap frame;
  MakeFilled(frame, 50, 30, 0);
  TCanvas& canvas = frame.Canvas();
  canvas.PaintText(0, 0, "a");
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), canvas.Font().FontHandle());
  EXPECT_EQ(GetTextColor(canvas.Context()), GetSysColor(COLOR_WINDOWTEXT));
  canvas.Font().SetColor(clSilver);
  EXPECT_FALSE(canvas.FontReady());
  canvas.PaintText(0, 0, "a");
  EXPECT_EQ(GetTextColor(canvas.Context()), 0xC0C0C0u);
}

TEST_F(TextTest, SolidBrushFillsTheCellAndClearBrushLeavesIt) {
  TBitmap frame;
  MakeFilled(frame, 60, 40, 0x808080);
  TCanvas& canvas = frame.Canvas();
  canvas.Brush().SetColor(0x0000FF);
  canvas.PaintText(0, 0, " ");
  EXPECT_EQ(PixelAt(frame, 1, 1), 0x0000FFu);
  canvas.Brush().SetStyle(bsClear);
  canvas.PaintText(20, 0, " ");
  EXPECT_EQ(PixelAt(frame, 21, 1), 0x808080u);
  EXPECT_EQ(GetBkMode(canvas.Context()), TRANSPARENT);
}

}  // namespace
