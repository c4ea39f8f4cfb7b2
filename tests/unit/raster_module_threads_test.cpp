#include <future>
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
  EXPECT_EQ(BitmapContexts->Count(), 2u);

  std::promise<void> locked, release;
  std::thread holder([&] {
    busy.Canvas().CanvasLock().Enter();
    locked.set_value();
    release.get_future().wait();
    busy.Canvas().CanvasLock().Leave();
  });
  locked.get_future().wait();
  BitmapContexts->DropIdle();
  release.set_value();
  holder.join();

  EXPECT_FALSE(idle.Canvas().ContextReady());
  EXPECT_TRUE(busy.Canvas().ContextReady());
  EXPECT_EQ(Made().dcs, 1);
  idle.Canvas().DrawLineTo(3, 0);
  EXPECT_EQ(BitmapContexts->Count(), 2u);
}

}  // namespace
