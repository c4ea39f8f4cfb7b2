// The module's state shared by threads that draw, and its shut-down.
#include <future>
#include <memory>
#include <thread>

#include "raster/bitmap.h"
#include "raster_fixture.h"

namespace {

using ModuleTest = RasterTest;

// Shut-down gives up the contexts of idle bitmap canvases but must not wait
// for a canvas another thread is still working with.
TEST_F(ModuleTest, DroppingIdleContextsSkipsBusyCanvases) {
  TBitmap idle, busy;
  MakeFilled(idle, 4, 4, 0);
  MakeFilled(busy, 4, 4, 0);
  idle.Canvas().MovePenTo(0, 0);
  busy.Canvas().MovePenTo(0, 0);
  EXPECT_EQ(RasterModule()->BitmapContexts.Count(), 2u);

  std::promise<void> locked, release;
  std::thread holder([&] {
    busy.Canvas().CanvasLock().Enter();
    locked.set_value();
    release.get_future().wait();
    busy.Canvas().CanvasLock().Leave();
  });
  locked.get_future().wait();
  RasterModule()->BitmapContexts.DropIdle();
  release.set_value();
  holder.join();

  EXPECT_EQ(idle.Canvas().Context(), nullptr);
  EXPECT_NE(busy.Canvas().Context(), nullptr);
  EXPECT_EQ(Made().dcs, 1);
  idle.Canvas().DrawLineTo(3, 0);
  EXPECT_EQ(RasterModule()->BitmapContexts.Count(), 2u);
}

// Frames of one thread: a line, a ring and text in colour on black. Returns
// how many frames show the line where it was drawn.
int DrawFrames(TColor color, int frames) {
  int right = 0;
  for (int frame = 0; frame < frames; ++frame) {
    TBitmap bitmap;
    MakeFilled(bitmap, 24, 16, 0);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(frame % 3);
    canvas.MovePenTo(0, frame % 8);
    canvas.DrawLineTo(24, frame % 8);
    canvas.Brush().SetStyle(bsClear);
    canvas.DrawEllipse(2, 9, 12, 15);
    canvas.Font().SetColor(color);
    canvas.PaintText(14, 8, "x");
    if (PixelAt(bitmap, 23, frame % 8) == static_cast<COLORREF>(color)) ++right;
  }
  return right;
}

// Each thread makes, draws on and frees its own bitmaps and canvases over
// the shared caches and registry; ThreadSanitizer watches the locks.
TEST_F(ModuleTest, TwoThreadsDrawOnTheirOwnCanvases) {
  constexpr int kFrames = 40;
  auto red = std::async(std::launch::async, DrawFrames, 0x0000FF, kFrames);
  auto green = std::async(std::launch::async, DrawFrames, 0x00FF00, kFrames);
  EXPECT_EQ(red.get(), kFrames);
  EXPECT_EQ(green.get(), kFrames);
}

// A platform bitmap is selected into one context at a time, so a second
// canvas on the same bitmap, on another thread, takes it from the first.
// The registry must not wait for the first canvas's lock while holding its
// own: the first canvas takes its lock and then the registry's.
TEST_F(ModuleTest, ASecondCanvasTakesTheBitmapKeepingTheLockOrder) {
  TBitmap bitmap;
  MakeFilled(bitmap, 8, 8, 0);
  TBitmapCanvas& first = bitmap.Canvas();
  first.MovePenTo(0, 0);
  std::async(std::launch::async, [&] {
    TBitmapCanvas second(bitmap);
    second.Pen().SetColor(clWhite);
    second.MovePenTo(0, 3);
    second.DrawLineTo(8, 3);
  }).get();
  EXPECT_EQ(first.Context(), nullptr);
  EXPECT_EQ(PixelAt(bitmap, 7, 3), 0xFFFFFFu);
  first.DrawLineTo(0, 7);
  EXPECT_EQ(RasterModule()->BitmapContexts.Count(), 1u);
}

// Objects still alive when the module stops keep working, and when they go
// they leave nothing behind; nothing new can be made until it starts again.
TEST(ModuleShutDown, ObjectsThatOutliveItKeepWorkingAndLetGoCleanly) {
  const probe::LiveCounts before = probe::CountLive();
  StartRasterModule();
  auto bitmap = std::make_unique<TBitmap>();
  MakeFilled(*bitmap, 8, 8, 0);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Pen().SetColor(clWhite);
  canvas.MovePenTo(0, 0);
  canvas.DrawLineTo(8, 0);
  auto font = std::make_unique<TFont>();
  font->SetSize(12);
  StopRasterModule();

  canvas.Pen().SetColor(clSilver);
  canvas.Brush().SetStyle(bsClear);
  canvas.MovePenTo(0, 7);
  canvas.DrawLineTo(8, 7);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(*bitmap, 7, 7), 0xC0C0C0u);
  EXPECT_NE(font->FontHandle(), nullptr);
  EXPECT_THROW(TPen(), EInvalidOperation);
  font.reset();
  bitmap.reset();
  EXPECT_EQ(probe::CountLive(), before);
}

}  // namespace
