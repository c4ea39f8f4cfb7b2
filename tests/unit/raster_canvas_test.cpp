// The canvas over a platform context: no drawing without one, and the context
// handed back with nothing of the canvas's left in it. That a whole frame
// leaves nothing behind is frame_composer_test's.
#include <gmock/gmock.h>

#include <functional>
#include <utility>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster_fixture.h"

namespace {

using CanvasTest = RasterTest;

TEST_F(CanvasTest, CanvasWithoutContextRefusesToDraw) {
  TCanvas canvas;
  TBitmap frame;
  MakeFilled(frame, 2, 2, 0);
  const std::pair<const char*, std::function<void()>> calls[] = {
      {"MovePenTo", [&] { canvas.MovePenTo(1, 1); }},
      {"DrawLineTo", [&] { canvas.DrawLineTo(1, 1); }},
      {"DrawEllipse", [&] { canvas.DrawEllipse(0, 0, 4, 4); }},
      {"PaintText", [&] { canvas.PaintText(0, 0, "x"); }},
      {"MeasureTextWidth", [&] { canvas.MeasureTextWidth("x"); }},
      {"ClipBounds", [&] { canvas.ClipBounds(); }},
      {"PaintBitmap", [&] { canvas.PaintBitmap(0, 0, &frame); }}};
  HDC dc = CreateCompatibleDC(nullptr);
  for (const char* state : {"never attached", "attached to none"}) {
    SCOPED_TRACE(state);
    for (const auto& [name, call] : calls) {
      SCOPED_TRACE(name);
      EXPECT_THAT(call, ::testing::ThrowsMessage<EInvalidOperation>("Canvas does not allow drawing"));
    }
    canvas.AttachContext(dc);
    canvas.AttachContext(nullptr);
  }
  DeleteDC(dc);
}

TEST_F(CanvasTest, FreeingLeavesTheContextWithNeutralObjects) {
  HDC dc = CreateCompatibleDC(nullptr);
  MoveToEx(dc, 5, 7, nullptr);
  {
    TBitmap frame;
    MakeFilled(frame, 4, 4, 0);
    TCanvas canvas;
    canvas.AttachContext(dc);
    EXPECT_EQ(PositionOf(dc).x, 0);
    EXPECT_EQ(PositionOf(dc).y, 0);
    canvas.PaintBitmap(0, 0, &frame);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawEllipse(0, 0, 4, 4);
  }
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(NULL_BRUSH));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  DeleteDC(dc);
}

// A solid brush fills and paints the text's background. That a clear one does
// neither is pinned by the rings of frame_pixels_pin_test and the blank
// caption of caption_test.
TEST_F(CanvasTest, SolidBrushFillsAndPaintsTheTextBackground) {
  TBitmap bitmap;
  MakeFilled(bitmap, 20, 20, 0x808080);
  TCanvas& canvas = bitmap.Canvas();
  canvas.DrawEllipse(2, 2, 18, 18);
  canvas.PaintText(0, 0, " ");
  EXPECT_EQ(PixelAt(bitmap, 10, 10), 0xFFFFFFu) << "the ellipse's inside";
  EXPECT_EQ(PixelAt(bitmap, 1, 1), 0xFFFFFFu) << "the text's background";
  EXPECT_EQ(PixelAt(bitmap, 10, 2), 0u) << "the outline";
}

TEST_F(CanvasTest, PaintBitmapCopiesOneToOneAndEmptyOnesNotAtAll) {
  TBitmap source, target, empty;
  MakeFilled(source, 4, 3, 0x112233);
  source.RowPixels(2)[3 * 3] = 0x00;  // blue of the bottom-right pixel
  MakeFilled(target, 8, 8, 0xFFFFFF);
  empty.SetPixelDepth(24);
  empty.SetWidth(5);
  target.Canvas().PaintBitmap(0, 0, &empty);
  target.Canvas().PaintBitmap(0, 0, nullptr);
  EXPECT_FALSE(target.Modified()) << "not even the hooks run";
  EXPECT_EQ(Made().dcs, 0);
  target.Canvas().PaintBitmap(2, 1, &source);
  EXPECT_EQ(PixelAt(target, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(target, 2, 1), 0x112233u);
  EXPECT_EQ(PixelAt(target, 5, 3), 0x002233u);
  EXPECT_EQ(PixelAt(target, 6, 3), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(target, 5, 4), 0xFFFFFFu);
  EXPECT_TRUE(target.Modified());
  EXPECT_EQ(target.Canvas().ClipBounds().right, 8);
  EXPECT_EQ(target.Canvas().ClipBounds().bottom, 8);
  empty.Canvas().DrawEllipse(0, 0, 3, 3);
  HDC fresh = CreateCompatibleDC(nullptr);  // holds whatever a new context holds
  EXPECT_EQ(GetCurrentObject(empty.Canvas().Context(), OBJ_BITMAP), GetCurrentObject(fresh, OBJ_BITMAP));
  DeleteDC(fresh);
}

TEST_F(CanvasTest, PaintTextLeavesThePenAfterTheMeasuredAdvance) {
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
