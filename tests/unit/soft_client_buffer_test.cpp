// A window's client buffer lent to the display's memory: the picture moves
// with it, later drawing lands there, and once that memory is going nothing
// is drawn into it any more.
#include "platform/soft/window/window_client_buffer.h"
#include "platform/soft/window/window_surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void Draw(soft::ClientBuffer& buffer, int x, int y, std::uint8_t value) {
  const soft::Surface surface = buffer.Lock();
  if (!surface.Empty()) surface.Row(y)[4 * x] = value;
  buffer.Unlock();
}

std::uint8_t* Bits(soft::ClientBuffer& buffer) {
  const soft::Surface surface = buffer.Lock();
  buffer.Unlock();
  return surface.bits;
}

TEST(ClientBuffer, LentMemoryGetsThePictureAndLaterDrawing) {
  soft::ClientBuffer buffer(nullptr, 3, 2);
  Draw(buffer, 2, 1, 0x11);
  constexpr int kPitch = 16;  // rows padded, as the display may have them
  std::vector<std::uint8_t> display(kPitch * 2, 0xEE);
  buffer.WhileLocked([&] { buffer.MoveIntoLocked(display.data(), kPitch); });
  EXPECT_EQ(display[kPitch + 8], 0x11);
  EXPECT_EQ(display[0], 0);          // the black of the new buffer came along
  EXPECT_EQ(display[12], 0xEE);      // padding is not a pixel
  Draw(buffer, 0, 0, 0x22);
  EXPECT_EQ(display[0], 0x22);

  // A buffer made for a new size starts with the old picture.
  soft::ClientBuffer larger(nullptr, 4, 3);
  larger.CopyFrom(buffer);
  larger.ReadPixels([](const std::uint8_t* bits, int stride, int width, int height) {
    ASSERT_EQ(width, 4);
    ASSERT_EQ(height, 3);
    EXPECT_EQ(bits[0], 0x22);
    EXPECT_EQ(bits[stride + 8], 0x11);
  });
}

TEST(ClientBuffer, DrawsNothingOnceItsLentMemoryIsGoing) {
  soft::ClientBuffer buffer(nullptr, 2, 2);
  std::vector<std::uint8_t> display(2 * 2 * 4, 0xEE);
  buffer.WhileLocked([&] { buffer.MoveIntoLocked(display.data(), 8); });
  buffer.Abandon();
  Draw(buffer, 1, 1, 0x33);
  EXPECT_EQ(display[12], 0);  // still the picture it was given, untouched since
  EXPECT_EQ(Bits(buffer), nullptr);
  buffer.ReadPixels([](const std::uint8_t*, int, int width, int height) { EXPECT_EQ(width * height, 0); });
}

// The picture comes back only from lent memory that is still there.
TEST(ClientBuffer, MemoryOfItsOwnAgainWhenTheLentMemoryIsGivenBack) {
  for (const bool still_there : {true, false}) {
    SCOPED_TRACE(still_there ? "lent memory still there" : "lent memory gone");
    soft::ClientBuffer buffer(nullptr, 2, 2);
    std::vector<std::uint8_t> display(2 * 2 * 4, 0xEE);
    Draw(buffer, 1, 0, 0x55);
    buffer.WhileLocked([&] {
      buffer.MoveIntoLocked(display.data(), 8);
      buffer.MoveOutLocked(still_there);
    });
    std::uint8_t* own = Bits(buffer);
    ASSERT_NE(own, nullptr);
    ASSERT_NE(own, display.data());
    EXPECT_EQ(own[4], still_there ? 0x55 : 0);  // else black
    Draw(buffer, 0, 0, 0x44);
    EXPECT_EQ(own[0], 0x44);
    EXPECT_EQ(display[0], 0);
  }
}

// The display's memory for a window is described in ints: a window whose
// rows of 4 bytes a pixel pass that is never handed to the display.
TEST(ClientBuffer, WindowMemoryTheDisplayCanDescribe) {
  struct Case {
    int width, height;
    bool fits;
  };
  for (const Case& c : {Case{1024, 768, true}, Case{0, 0, true}, Case{23170, 23170, true},
                        Case{23171, 23171, false}, Case{65535, 8192, true}, Case{65535, 8193, false},
                        Case{27000, 27000, false}, Case{-1, 10, false}, Case{10, -1, false}}) {
    EXPECT_EQ(soft::display::SurfaceSizeFits(c.width, c.height), c.fits) << c.width << "x" << c.height;
  }
}

}  // namespace
