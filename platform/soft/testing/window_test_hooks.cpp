#include "platform/soft/testing/window_test_hooks.h"

#include "platform/soft/window/window_object.h"

namespace soft {

COLORREF ClientPixel(HWND handle, int x, int y) {
  const Window* window = LookUpWindow(handle);
  if (window == nullptr) return CLR_INVALID;
  COLORREF color = CLR_INVALID;
  window->Buffer()->ReadPixels([&](const std::uint8_t* bits, int stride, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const std::uint8_t* pixel = bits + static_cast<std::ptrdiff_t>(y) * stride + x * 4;
    color = RGB(pixel[2], pixel[1], pixel[0]);
  });
  return color;
}

}  // namespace soft
