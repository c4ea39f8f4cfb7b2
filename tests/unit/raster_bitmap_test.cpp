// The bitmap's storage: made once both sides are known, refused changes that
// keep the image, and resizes that keep what fits. Its rows' order and
// stride are pinned by frame_pixels_pin_test, which draws figures on them.
#include "raster/bitmap.h"

#include <gmock/gmock.h>

#include "raster_fixture.h"

namespace {

using BitmapTest = RasterTest;
using ::testing::AnyOf;
using ::testing::ThrowsMessage;

// Refused rows, depths, sizes and storage leave the image as it was, and
// setting the current values changes nothing.
TEST_F(BitmapTest, RefusalsAndCurrentValuesKeepTheImage) {
  TBitmap bitmap, no_height, no_width;
  MakeFilled(bitmap, 4, 3, 0x102030);
  MakeFilled(no_height, 10, 0, 0);
  MakeFilled(no_width, 0, 10, 0);
  HBITMAP handle = bitmap.Handle();
  bitmap.SetWidth(4);
  bitmap.SetHeight(3);
  bitmap.SetPixelDepth(24);
  const auto refused = [](const char* message) { return ThrowsMessage<EInvalidGraphicOperation>(message); };
  EXPECT_THAT([&] { bitmap.RowPixels(-1); }, refused("Scan line index out of range"));
  EXPECT_THAT([&] { bitmap.RowPixels(3); }, refused("Scan line index out of range"));
  EXPECT_THAT([&] { no_height.RowPixels(0); }, refused("Scan line index out of range"));
  EXPECT_THAT([&] { bitmap.SetPixelDepth(8); }, refused("Only 24-bit images are supported"));
  EXPECT_THAT([&] { bitmap.SetWidth(-1); }, refused("Bitmap size cannot be negative"));
  EXPECT_THAT([&] { bitmap.SetHeight(-1); }, refused("Bitmap size cannot be negative"));
  SetLastError(ERROR_CLASS_ALREADY_EXISTS);  // a code no storage failure may show
  // The platform's reason, or the layer's own words when it gives none.
  EXPECT_THAT([&] { bitmap.SetWidth(300000000); },
              ThrowsMessage<EOutOfResources>(AnyOf("Not enough memory resources are available to process this command.",
                                                   "Out of system resources")));
  EXPECT_EQ(EOutOfResources::FromErrorCode(0).Message(), "Out of system resources");
  EXPECT_EQ(EOutOfResources::FromErrorCode(0xDEAD).Message(), "Out of system resources") << "no text";
  EXPECT_EQ(bitmap.Handle(), handle);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(PixelAt(bitmap, 3, 2), 0x102030u);
  EXPECT_EQ(Made().bitmaps, 1) << "empty sizes have no storage";
  EXPECT_EQ(Made().dcs, 0) << "the building contexts are given back, also after a refusal";
}

// A resize keeps the picture at the top left, fills the rest with white or
// the canvas brush, and gives up the canvas's context, which the next
// drawing call takes again on the new storage.
TEST_F(BitmapTest, ResizingKeepsThePictureAtTheTopLeftAndFillsTheRest) {
  TBitmap bitmap;
  MakeFilled(bitmap, 4, 3, 0x102030);
  bitmap.SetWidth(5);
  EXPECT_EQ(PixelAt(bitmap, 3, 2), 0x102030u);
  EXPECT_EQ(PixelAt(bitmap, 4, 0), 0xFFFFFFu) << "new pixels are white";
  TBitmapCanvas& canvas = bitmap.Canvas();
  canvas.Brush().SetColor(0x0000FF);
  canvas.MovePenTo(0, 0);
  EXPECT_EQ(Made().dcs, 1);
  bitmap.SetWidth(6);
  EXPECT_EQ(PixelAt(bitmap, 5, 0), 0x0000FFu) << "or the canvas brush, once there is a canvas";
  EXPECT_EQ(canvas.Context(), nullptr);
  EXPECT_EQ(Made().dcs, 0);
  bitmap.RowPixels(0)[0] = 0x00;  // blue of the top-left pixel
  bitmap.SetHeight(2);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), 0x002030u) << "the top rows stay";
  EXPECT_EQ(Made().bitmaps, 1) << "the old storage is deleted";
  canvas.DrawLineTo(5, 0);
  EXPECT_EQ(PositionOf(canvas.Context()).x, 5) << "the pen stays where the line ended";
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_BITMAP), bitmap.Handle());
  EXPECT_EQ(PixelAt(bitmap, 4, 0), 0x000000u);
}

}  // namespace
