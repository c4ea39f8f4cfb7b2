// Starts the drawing layer around each test and remembers what the platform
// held before it, so that every test proves it left nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/platform_probe.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"

// A 24-bit bitmap of the given size, every pixel the colour rgb.
inline void MakeFilled(TBitmap& bitmap, int width, int height, COLORREF rgb) {
  bitmap.SetPixelDepth(24);
  bitmap.SetWidth(width);
  bitmap.SetHeight(height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.RowPixels(y);
    for (int i = 0; i < 3 * width; ++i) {
      row[i] = static_cast<std::uint8_t>(rgb >> (16 - 8 * (i % 3)));  // blue, green, red
    }
  }
}

// The pixel at (x, y) as an RGB value (red in the low byte).
inline COLORREF PixelAt(TBitmap& bitmap, int x, int y) {
  const std::uint8_t* pixel = bitmap.RowPixels(y) + 3 * x;
  return RGB(pixel[2], pixel[1], pixel[0]);
}

// The picture's pixel bytes, top row first, padding left out.
inline std::vector<std::uint8_t> PixelBytes(TBitmap& bitmap) {
  std::vector<std::uint8_t> bytes;
  for (int y = 0; y < bitmap.Height(); ++y) {
    bytes.insert(bytes.end(), bitmap.RowPixels(y), bitmap.RowPixels(y) + 3 * bitmap.Width());
  }
  return bytes;
}

// What GetObjectA tells of a platform object (LOGPEN, LOGBRUSH, LOGFONTA...).
template <class Record>
Record Describe(HGDIOBJ object) {
  Record described{};
  EXPECT_NE(GetObjectA(object, sizeof(described), &described), 0);
  return described;
}

inline POINT PositionOf(HDC dc) {
  POINT position{-1, -1};
  GetCurrentPositionEx(dc, &position);
  return position;
}

// The layer running for a whole suite, for tests that count no objects.
template <class Base = ::testing::Test>
class WithRasterModule : public Base {
 protected:
  static void SetUpTestSuite() { StartRasterModule(); }
  static void TearDownTestSuite() { StopRasterModule(); }
};

class RasterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartRasterModule();
    before_ = probe::CountLive();
    misuse_before_ = probe::MisuseCount();
  }
  // Every test leaves nothing behind, with the layer still running: an object
  // goes with its last user, not only when the layer stops.
  void TearDown() override {
    EXPECT_EQ(probe::MisuseCount(), misuse_before_) << "an object was deleted while selected";
    EXPECT_TRUE(NothingLeft()) << "objects left behind";
    StopRasterModule();
  }

  // Restarts the layer as if the screen had another density.
  void RestartAtDpi(int dpi) {
    StopRasterModule();
    probe::SetScreenDpi(dpi);
    StartRasterModule();
    probe::SetScreenDpi(96);
  }

  // How many more objects of each kind are alive than when the test began.
  probe::LiveCounts Made() const {
    const probe::LiveCounts now = probe::CountLive();
    return {now.pens - before_.pens, now.brushes - before_.brushes, now.fonts - before_.fonts,
            now.bitmaps - before_.bitmaps, now.dcs - before_.dcs, now.windows - before_.windows};
  }
  bool NothingLeft() const { return probe::CountLive() == before_; }

 private:
  probe::LiveCounts before_;
  long misuse_before_ = 0;
};
