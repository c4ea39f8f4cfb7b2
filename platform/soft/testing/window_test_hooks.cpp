// A window's pixels as tests read them through the probe.
#include "platform/soft/window/window_object.h"
#include "tests/support/platform_probe.h"

namespace probe {

COLORREF ClientPixel(HWND handle, int x, int y) {
  const soft::Window* window = soft::LookUpWindow(handle);
  if (window == nullptr) return CLR_INVALID;
  COLORREF color = CLR_INVALID;
  window->Buffer()->ReadPixels([&](const std::uint8_t* bits, int stride, int width, int height) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const std::uint8_t* pixel = bits + static_cast<std::ptrdiff_t>(y) * stride + x * 4;
    color = RGB(pixel[2], pixel[1], pixel[0]);
  });
  return color;
}

}  // namespace probe
