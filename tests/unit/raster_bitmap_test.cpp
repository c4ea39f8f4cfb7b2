#include "raster/bitmap.h"
#include "raster_fixture.h"

namespace {

using BitmapTest = RasterTest;

constexpr char kOutOfRange[] = "Scan line index out of range";

DIBSECTION SectionOf(const TBitmap& bitmap) {
  DIBSECTION section{};
  EXPECT_NE(GetObjectA(bitmap.Handle(), sizeof(section), &section), 0);
  return section;
}

TEST_F(BitmapTest, WidthThenHeightMakesWhiteStorageOnce) {
  TBitmap bitmap;
  bitmap.SetPixelDepth(24);
  bitmap.SetWidth(1023);
  EXPECT_EQ(bitmap.Handle(), nullptr) << "no storage while the height is 0";
  EXPECT_EQ(LiveBitmaps(), 0);
  bitmap.SetHeight(7);
  EXPECT_NE(bitmap.Handle(), nullptr);
  EXPECT_EQ(LiveBitmaps(), 1);
  EXPECT_EQ(LiveDcs(), 0) << "the building contexts are given back";
  EXPECT_EQ(bitmap.Width(), 1023);
  EXPECT_EQ(bitmap.Height(), 7);
  EXPECT_EQ(bitmap.PixelDepth(), 24);
  for (int y = 0; y < 7; ++y) {
    const std::uint8_t* row = bitmap.RowPixels(y);
    for (int i = 0; i < 3 * 1023; ++i) ASSERT_EQ(row[i], 0xFF) << "row " << y << " byte " << i;
  }
}

TEST_F(BitmapTest, RowZeroIsTheLastRowInMemory) {
  for (const int width : {1024, 1023}) {
    TBitmap bitmap;
    MakeFilled(bitmap, width, 5, 0xFFFFFF);
    const DIBSECTION section = SectionOf(bitmap);
    auto* bits = static_cast<std::uint8_t*>(section.dsBm.bmBits);
    EXPECT_EQ(bitmap.RowPixels(0) - bitmap.RowPixels(1), 3072) << "stride at width " << width;
    EXPECT_EQ(bitmap.RowPixels(0), bits + 4 * 3072);
    EXPECT_EQ(bitmap.RowPixels(4), bits);
  }
}

TEST_F(BitmapTest, RowsOutsideThePictureAreRefused) {
  TBitmap bitmap;
  MakeFilled(bitmap, 4, 3, 0);
  ExpectRaises<EInvalidGraphicOperation>([&] { bitmap.RowPixels(-1); }, kOutOfRange);
  ExpectRaises<EInvalidGraphicOperation>([&] { bitmap.RowPixels(3); }, kOutOfRange);
  EXPECT_FALSE(bitmap.Modified()) << "row access alone is no change";
}

TEST_F(BitmapTest, EmptySizesHaveNoStorage) {
  TBitmap no_height;
  no_height.SetPixelDepth(24);
  no_height.SetWidth(10);
  ExpectRaises<EInvalidGraphicOperation>([&] { no_height.RowPixels(0); }, kOutOfRange);
  TBitmap no_width;
  no_width.SetPixelDepth(24);
  no_width.SetHeight(10);
  EXPECT_TRUE(no_width.Empty());
  EXPECT_EQ(no_width.RowPixels(9), nullptr) << "a row of no pixels";
  EXPECT_EQ(LiveBitmaps(), 0);
}

TEST_F(BitmapTest, SettingCurrentValuesKeepsTheStorage) {
  TBitmap bitmap;
  MakeFilled(bitmap, 8, 6, 0x336699);
  HBITMAP handle = bitmap.Handle();
  bitmap.SetWidth(8);
  bitmap.SetHeight(6);
  bitmap.SetPixelDepth(24);
  EXPECT_EQ(bitmap.Handle(), handle);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0x336699u);
}

TEST_F(BitmapTest, OnlyTwentyFourBitsAndNoNegativeSizes) {
  TBitmap bitmap;
  MakeFilled(bitmap, 2, 2, 0);
  HBITMAP handle = bitmap.Handle();
  ExpectRaises<EInvalidGraphicOperation>([&] { bitmap.SetPixelDepth(8); },
                                         "Only 24-bit images are supported");
  ExpectRaises<EInvalidGraphicOperation>([&] { bitmap.SetWidth(-1); },
                                         "Bitmap size cannot be negative");
  ExpectRaises<EInvalidGraphicOperation>([&] { bitmap.SetHeight(-1); },
                                         "Bitmap size cannot be negative");
  EXPECT_EQ(bitmap.Handle(), handle);
}

TEST_F(BitmapTest, FailedRebuildKeepsThePreviousImage) {
  TBitmap bitmap;
  MakeFilled(bitmap, 4, 3, 0x102030);
  HBITMAP handle = bitmap.Handle();
  ExpectRaises<EOutOfResources>([&] { bitmap.SetWidth(300000000); },
                                "Not enough memory resources are available to process this command.");
  EXPECT_EQ(bitmap.Handle(), handle);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(PixelAt(bitmap, 3, 2), 0x102030u);
  EXPECT_EQ(LiveBitmaps(), 1);
  EXPECT_EQ(LiveDcs(), 0) << "the building contexts are given back";
}

TEST_F(BitmapTest, ResizingKeepsThePictureAtTheTopLeft) {
  TBitmap bitmap;
  MakeFilled(bitmap, 4, 3, 0x102030);
  bitmap.SetWidth(6);
  EXPECT_EQ(PixelAt(bitmap, 3, 2), 0x102030u);
  EXPECT_EQ(PixelAt(bitmap, 4, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(bitmap, 5, 2), 0xFFFFFFu);
  bitmap.RowPixels(0)[0] = 0x00;  // blue of the top-left pixel
  bitmap.SetHeight(2);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0x002030u);
  EXPECT_EQ(LiveBitmaps(), 1) << "the old storage is deleted";
}

TEST_F(BitmapTest, ResizingWithACanvasFillsWithItsBrush) {
  TBitmap bitmap;
  MakeFilled(bitmap, 2, 2, 0x000000);
  bitmap.Canvas().Brush().SetColor(0x0000FF);
  bitmap.SetWidth(3);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), 0x000000u);
  EXPECT_EQ(PixelAt(bitmap, 2, 1), 0x0000FFu);
}

TEST_F(BitmapTest, ResizingGivesUpTheCanvasContext) {
  TBitmap bitmap;
  MakeFilled(bitmap, 10, 10, 0xFFFFFF);
  TBitmapCanvas& canvas = bitmap.Canvas();
  canvas.MovePenTo(0, 0);
  EXPECT_EQ(LiveDcs(), 1);
  bitmap.SetWidth(12);
  EXPECT_FALSE(canvas.ContextReady());
  EXPECT_EQ(LiveDcs(), 0);
  canvas.DrawLineTo(11, 0);
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_BITMAP), bitmap.Handle());
  EXPECT_EQ(PixelAt(bitmap, 10, 0), 0x000000u);
}

TEST_F(BitmapTest, FreeingLeavesNothingBehind) {
  {
    TBitmap bitmap;
    MakeFilled(bitmap, 16, 16, 0);
    bitmap.Canvas().Pen().SetColor(clWhite);
    bitmap.Canvas().DrawEllipse(1, 1, 9, 9);
    bitmap.Canvas().MeasureTextWidth("x");
    EXPECT_TRUE(bitmap.Modified());
  }
  EXPECT_TRUE(NothingLeft());
  EXPECT_EQ(BitmapContexts->Count(), 0u);
}

}  // namespace
