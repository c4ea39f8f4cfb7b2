#include <future>
#include <string>
#include <thread>

#include "raster/bitmap.h"
#include "raster/descriptions.h"
#include "raster_fixture.h"

namespace {

using ModuleTest = RasterTest;

TEST_F(ModuleTest, NeutralObjectsAreStockObjects) {
  EXPECT_EQ(NeutralPen, GetStockObject(BLACK_PEN));
  EXPECT_EQ(NeutralBrush, GetStockObject(NULL_BRUSH));
  EXPECT_EQ(NeutralFont, GetStockObject(SYSTEM_FONT));
}

TEST_F(ModuleTest, DefaultFontIsEightPointsOfTheDefaultFace) {
  EXPECT_EQ(ScreenDpi, 96);
  const FontKey& key = DefaultFontKey();
  EXPECT_EQ(key.Handle, nullptr);
  EXPECT_EQ(key.Height, -11);
  EXPECT_EQ(key.Pitch, fpDefault);
  EXPECT_EQ(key.Style, TFontStyles{});
  EXPECT_EQ(key.Charset, DEFAULT_CHARSET);
  EXPECT_EQ(key.Name.View(), "MS Sans Serif");
}

TEST_F(ModuleTest, DefaultFontFollowsTheScreenDensity) {
  RestartAtDpi(120);
  EXPECT_EQ(ScreenDpi, 120);
  EXPECT_EQ(DefaultFontKey().Height, -13);
}

TEST_F(ModuleTest, JapaneseLocaleGetsTheGothicDefault) {
  soft::SetDoubleByteLocale(true, SHIFTJIS_CHARSET);
  RestartAtDpi(96);
  const FontKey japanese = DefaultFontKey();
  soft::SetDoubleByteLocale(true, 129);  // another double-byte character set
  RestartAtDpi(96);
  const FontKey korean = DefaultFontKey();
  soft::SetDoubleByteLocale(false, RUSSIAN_CHARSET);
  RestartAtDpi(96);

  EXPECT_EQ(japanese.Charset, SHIFTJIS_CHARSET);
  EXPECT_EQ(japanese.Height, -12);
  EXPECT_EQ(japanese.Name.View(),
            "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(korean.Charset, DEFAULT_CHARSET);
  EXPECT_EQ(korean.Name.View(), "MS Sans Serif");
}

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
  EXPECT_EQ(BitmapContexts->Count(), 1u);
  EXPECT_EQ(LiveDcs(), 1);
  idle.Canvas().DrawLineTo(3, 0);
  EXPECT_EQ(BitmapContexts->Count(), 2u);
}

}  // namespace
