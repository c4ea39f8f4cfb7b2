// Starts the drawing layer around each test and remembers what the software
// platform held before it, so a test can prove it left nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/soft/soft.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"

// Runs action and expects it to raise E with exactly message.
template <class E, class Action>
void ExpectRaises(Action action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "expected \"" << message << "\", nothing was raised";
  } catch (const E& raised) {
    EXPECT_EQ(raised.Message(), message);
  }
}

// A 24-bit bitmap of the given size, every pixel the colour rgb.
inline void MakeFilled(TBitmap& bitmap, int width, int height, COLORREF rgb) {
  bitmap.SetPixelDepth(24);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.RowPixels(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<std::uint8_t>(rgb >> 16);
      row[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(rgb);
    }
  }
}

// The pixel at (x, y) as an RGB value (red in the low byte).
inline COLORREF PixelAt(TBitmap& bitmap, int x, int y) {
  const std::uint8_t* pixel = bitmap.RowPixels(y) + 3 * x;
  return RGB(pixel[2], pixel[1], pixel[0]);
}

class RasterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartRasterModule();
    live_before_ = soft::CountLive();
    misuse_before_ = soft::MisuseCount();
  }
  void TearDown() override {
    EXPECT_EQ(soft::MisuseCount(), misuse_before_) << "an object was deleted while selected";
    StopRasterModule();
  }

  // Restarts the layer as if the screen had another density.
  void RestartAtDpi(int dpi) {
    StopRasterModule();
    soft::SetScreenDpi(dpi);
    StartRasterModule();
    soft::SetScreenDpi(96);
  }

  int LivePens() const { return soft::CountLive().pens - live_before_.pens; }
  int LiveBrushes() const { return soft::CountLive().brushes - live_before_.brushes; }
  int LiveFonts() const { return soft::CountLive().fonts - live_before_.fonts; }
  int LiveBitmaps() const { return soft::CountLive().bitmaps - live_before_.bitmaps; }
  int LiveDcs() const { return soft::CountLive().dcs - live_before_.dcs; }
  bool NothingLeft() const { return soft::CountLive() == live_before_; }

 private:
  soft::LiveCounts live_before_;
  long misuse_before_ = 0;
};
