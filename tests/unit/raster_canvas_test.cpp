#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster_fixture.h"

namespace {

using CanvasTest = RasterTest;

constexpr char kNoDrawing[] = "Canvas does not allow drawing";

POINT PositionOf(HDC dc) {
  POINT position{-1, -1};
  GetCurrentPositionEx(dc, &position);
  return position;
}

TEST_F(CanvasTest, CanvasWithoutContextRefusesToDraw) {
  TCanvas canvas;
  ExpectRaises<EInvalidOperation>([&] { canvas.MovePenTo(1, 1); }, kNoDrawing);
  ExpectRaises<EInvalidOperation>([&] { canvas.DrawLineTo(1, 1); }, kNoDrawing);
  ExpectRaises<EInvalidOperation>([&] { canvas.DrawEllipse(0, 0, 4, 4); }, kNoDrawing);
  ExpectRaises<EInvalidOperation>([&] { canvas.PaintText(0, 0, "x"); }, kNoDrawing);
  ExpectRaises<EInvalidOperation>([&] { canvas.MeasureTextWidth("x"); }, kNoDrawing);
  ExpectRaises<EInvalidOperation>([&] { canvas.ClipBounds(); }, kNoDrawing);
  TBitmap frame;
  MakeFilled(frame, 2, 2, 0);
  ExpectRaises<EInvalidOperation>([&] { canvas.PaintBitmap(0, 0, &frame); }, kNoDrawing);

  HDC dc = CreateCompatibleDC(nullptr);
  canvas.AttachContext(dc);
  canvas.AttachContext(nullptr);
  EXPECT_FALSE(canvas.ContextReady());
  ExpectRaises<EInvalidOperation>([&] { canvas.DrawLineTo(1, 1); }, kNoDrawing);
  DeleteDC(dc);
}

TEST_F(CanvasTest, AttachingMovesThePenToTheSavedPosition) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  MoveToEx(first, 5, 7, nullptr);
  TCanvas canvas;
  canvas.AttachContext(first);
  EXPECT_EQ(PositionOf(first).x, 0);
  EXPECT_EQ(PositionOf(first).y, 0);
  EXPECT_TRUE(canvas.ContextReady());
  EXPECT_FALSE(canvas.FontReady() || canvas.PenReady() || canvas.BrushReady());
  canvas.MovePenTo(3, 4);
  canvas.AttachContext(second);
  EXPECT_EQ(PositionOf(second).x, 3);
  EXPECT_EQ(PositionOf(second).y, 4);
  canvas.AttachContext(nullptr);
  DeleteDC(first);
  DeleteDC(second);
}

TEST_F(CanvasTest, FreeingLeavesTheContextWithNeutralObjectsAndLastModes) {
  HDC dc = CreateCompatibleDC(nullptr);
  {
    TBitmap frame;
    MakeFilled(frame, 4, 4, 0);
    TCanvas canvas;
    canvas.AttachContext(dc);
    canvas.PaintBitmap(0, 0, &frame);
    canvas.Pen().SetWidth(3);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawEllipse(0, 0, 4, 4);
    canvas.PaintText(0, 0, "x");
  }
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), NeutralPen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), NeutralBrush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), NeutralFont);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(GetBkColor(dc), 0xFF000000u);
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
  EXPECT_EQ(LivePens(), 0);
  EXPECT_EQ(LiveBrushes(), 0);
  DeleteDC(dc);
}

TEST_F(CanvasTest, ObjectsAreSelectedLazilyAndDeselectedOnChange) {
  HDC dc = CreateCompatibleDC(nullptr);
  TCanvas canvas;
  canvas.AttachContext(dc);
  canvas.Pen().SetColor(0x00FF00);
  EXPECT_EQ(LivePens(), 0) << "a change alone makes nothing";
  SetROP2(dc, 1);
  canvas.DrawLineTo(3, 3);
  EXPECT_TRUE(canvas.PenReady() && canvas.BrushReady());
  EXPECT_FALSE(canvas.FontReady());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas.Pen().Handle());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), canvas.Brush().Handle());
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetBkColor(dc), 0xFFFFFFu);

  canvas.Pen().SetColor(0x0000FF);
  EXPECT_FALSE(canvas.PenReady());
  EXPECT_TRUE(canvas.BrushReady());
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), NeutralPen);
  EXPECT_EQ(LivePens(), 0) << "the old pen goes once deselected";
  canvas.AttachContext(nullptr);
  DeleteDC(dc);
}

TEST_F(CanvasTest, BitmapCanvasClipsToTheBitmap) {
  TBitmap bitmap;
  MakeFilled(bitmap, 13, 9, 0);
  const RECT bounds = bitmap.Canvas().ClipBounds();
  EXPECT_EQ(bounds.left, 0);
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.right, 13);
  EXPECT_EQ(bounds.bottom, 9);
}

TEST_F(CanvasTest, LineStopsBeforeItsEndPoint) {
  TBitmap bitmap;
  MakeFilled(bitmap, 10, 10, 0xFFFFFF);
  TCanvas& canvas = bitmap.Canvas();
  canvas.MovePenTo(1, 5);
  canvas.DrawLineTo(8, 5);
  for (int x = 1; x < 8; ++x) EXPECT_EQ(PixelAt(bitmap, x, 5), 0u) << "x " << x;
  EXPECT_EQ(PixelAt(bitmap, 8, 5), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(bitmap, 0, 5), 0xFFFFFFu);
  EXPECT_EQ(PositionOf(canvas.Context()).x, 8);
  EXPECT_TRUE(bitmap.Modified());
}

TEST_F(CanvasTest, WidthsZeroAndOneDrawTheSameLine) {
  TBitmap thin, one;
  MakeFilled(thin, 12, 12, 0xFFFFFF);
  MakeFilled(one, 12, 12, 0xFFFFFF);
  thin.Canvas().Pen().SetWidth(0);
  for (TBitmap* bitmap : {&thin, &one}) {
    bitmap->Canvas().MovePenTo(1, 2);
    bitmap->Canvas().DrawLineTo(10, 9);
  }
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(PixelAt(thin, x, y), PixelAt(one, x, y));
  }
}

TEST_F(CanvasTest, ClearBrushDrawsOnlyTheOutline) {
  TBitmap bitmap;
  MakeFilled(bitmap, 20, 20, 0x808080);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawEllipse(2, 2, 18, 18);
  EXPECT_EQ(PixelAt(bitmap, 10, 10), 0x808080u);
  EXPECT_EQ(PixelAt(bitmap, 10, 2), 0u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(PixelAt(bitmap, 18, i), 0x808080u) << "right edge is excluded";
    EXPECT_EQ(PixelAt(bitmap, i, 18), 0x808080u) << "bottom edge is excluded";
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(0x0000FF);
  canvas.DrawEllipse(2, 2, 18, 18);
  EXPECT_EQ(PixelAt(bitmap, 10, 10), 0x0000FFu);
}

TEST_F(CanvasTest, PaintBitmapCopiesOneToOne) {
  TBitmap source, target;
  MakeFilled(source, 4, 3, 0x112233);
  source.RowPixels(2)[3 * 3] = 0x00;  // blue of the bottom-right pixel
  MakeFilled(target, 8, 8, 0xFFFFFF);
  target.Canvas().PaintBitmap(2, 1, &source);
  EXPECT_EQ(PixelAt(target, 1, 1), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(target, 2, 1), 0x112233u);
  EXPECT_EQ(PixelAt(target, 5, 3), 0x002233u);
  EXPECT_EQ(PixelAt(target, 6, 3), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(target, 5, 4), 0xFFFFFFu);
  EXPECT_TRUE(target.Modified());
}

TEST_F(CanvasTest, PaintingAnEmptyBitmapDoesNothingAtAll) {
  TBitmap empty, target;
  empty.SetPixelDepth(24);
  empty.SetWidth(5);
  MakeFilled(target, 4, 4, 0);
  target.Canvas().PaintBitmap(0, 0, &empty);
  target.Canvas().PaintBitmap(0, 0, nullptr);
  EXPECT_FALSE(target.Modified()) << "not even the hooks run";
  EXPECT_FALSE(target.Canvas().ContextReady());
  EXPECT_EQ(LiveDcs(), 0);
}

TEST_F(CanvasTest, EmptyBitmapCanvasDrawsOnAContextWithoutPixels) {
  TBitmap empty;
  TCanvas& canvas = empty.Canvas();
  canvas.DrawLineTo(5, 5);
  canvas.DrawEllipse(0, 0, 3, 3);
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_BITMAP), nullptr);
}

TEST_F(CanvasTest, OneFrameLeavesNothingBehind) {
  {
    TBitmap frame;
    MakeFilled(frame, 32, 24, 0x202020);
    TCanvas& canvas = frame.Canvas();
    for (int width = 1; width <= 3; ++width) {
      canvas.Pen().SetWidth(width);
      canvas.Pen().SetColor(0x010101 * (40 * width));
      canvas.MovePenTo(0, width);
      canvas.DrawLineTo(32, 20);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawEllipse(4, 4, 20, 20);
    canvas.Font().SetName("Arial");
    canvas.PaintText(2, 2, "abc");
    HDC dc = CreateCompatibleDC(nullptr);
    TCanvas window;
    window.AttachContext(dc);
    window.PaintBitmap(0, 0, &frame);
    window.AttachContext(nullptr);
    DeleteDC(dc);
  }
  EXPECT_TRUE(NothingLeft());
}

}  // namespace
