#include "core/frame_composer.h"

#include <algorithm>
#include <vector>

#include "core/caption_painter.h"
#include "core/frame_size.h"
#include "core/noise_fill.h"
#include "core/random_source.h"
#include "raster/canvas.h"

namespace {

constexpr TColor Grey(std::int32_t level) { return level * 0x010101; }

void DrawScratchLines(TCanvas& canvas, int width, int height, FrameTrace* trace) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (RandomBelow(70) != 5) continue;
    canvas.Pen().SetWidth(RandomBelow(2));  // 0 or 1: both a one-pixel line
    canvas.Pen().SetColor(Grey(RandomBelow(70)));
    const POINT from{0, RandomBelow(height)};
    canvas.MovePenTo(from.x, from.y);
    const POINT to{width, RandomBelow(height)};
    canvas.DrawLineTo(to.x, to.y);
    if (trace) trace->lines.push_back({canvas.Pen().Width(), canvas.Pen().Color(), from, to});
  }
}

void DrawRings(TCanvas& canvas, int width, int height, FrameTrace* trace) {
  for (int attempt = 0; attempt < 6; ++attempt) {
    if (RandomBelow(35) != 5) continue;
    const std::int32_t level = RandomBelow(150);
    const std::int32_t diameter = RandomBelow(30);
    canvas.Pen().SetColor(Grey(level));
    canvas.Pen().SetWidth(RandomBelow(5));
    canvas.Brush().SetStyle(bsClear);
    // The horizontal start comes from the height's range and the vertical
    // start from the width's: on a wide window rings fall below the bottom
    // edge and never reach the right-hand part. That is how the picture has
    // always looked, and the frame sequence depends on it.
    const std::int32_t a = RandomBelow(height);
    const std::int32_t b = RandomBelow(width);
    const RECT box{a + 10, b + 10, a + 10 + diameter, b + 10 + diameter};
    canvas.DrawEllipse(box.left, box.top, box.right, box.bottom);
    if (trace) trace->rings.push_back({canvas.Pen().Width(), canvas.Pen().Color(), box});
  }
}

// Two circles touching at the centre, drawn with a thick pen: a pair of
// goggles, about one frame in eighty.
void DrawTwinRings(TCanvas& canvas, int width, int height, FrameTrace* trace) {
  if (RandomBelow(80) != 1) return;
  const std::int32_t cx = width / 2 + RandomBelow(5);
  const std::int32_t cy = height / 2 + RandomBelow(15);
  canvas.Pen().SetWidth(RandomBelow(20));
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetColor(Grey(RandomBelow(90)));
  const std::int32_t r = cy / 2;
  const RECT left{cx - 2 * r, cy - r, cx, cy + r};
  const RECT right{cx, cy - r, cx + 2 * r, cy + r};
  canvas.DrawEllipse(left.left, left.top, left.right, left.bottom);
  canvas.DrawEllipse(right.left, right.top, right.right, right.bottom);
  if (trace) trace->twin_rings = TwinRingsTrace{canvas.Pen().Width(), canvas.Pen().Color(), {left, right}};
}

// The platform is asked for a focus rectangle around the whole frame with
// the window's handle where a drawing context belongs; it draws nothing, and
// the picture is meant to show no dotted frame.
void RequestFocusRect(TCanvas& canvas, HWND window) {
  const RECT bounds = canvas.ClipBounds();
  DrawFocusRect(reinterpret_cast<HDC>(window), &bounds);
}

// Releases the window's drawing context however the copy ends.
class WindowContext {
 public:
  explicit WindowContext(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowContext() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowContext(const WindowContext&) = delete;
  WindowContext& operator=(const WindowContext&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace

std::unique_ptr<TBitmap> MakeWhiteBitmap(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelDepth(24);
  // Width first, while the height is still 0, so the storage is made once.
  bitmap->SetWidth(width);
  bitmap->SetHeight(height);
  return bitmap;
}

void FillWithStatic(TBitmap& bitmap) {
  const auto width = static_cast<std::size_t>(bitmap.Width());
  const int height = bitmap.Height();
  const NoiseRowFill fill = FastestNoiseFill(3 * width * static_cast<std::size_t>(height));
  // Each row's address is asked for first: asking takes a lock, which would
  // wait for the streamed stores of the row before to reach memory.
  std::vector<std::uint8_t*> rows(static_cast<std::size_t>(std::max(height, 0)));
  for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = bitmap.RowPixels(y);
  std::uint32_t state = RandomState;
  for (std::uint8_t* row : rows) {
    if (row != nullptr) state = fill(row, width, state);
  }
  OrderStreamedStores();
  RandomState = state;
}

// The frame is drawn at the window's outer size, so the window clips it at
// the right and bottom.
void PresentFrame(HWND window, TBitmap& bitmap) {
  WindowContext context(window);
  auto window_canvas = std::make_unique<TCanvas>();
  window_canvas->AttachContext(context.dc());
  window_canvas->PaintBitmap(0, 0, &bitmap);
}

std::unique_ptr<TBitmap> BuildStaticFrame(int width, int height, FrameTrace* trace) {
  auto bitmap = MakeWhiteBitmap(width, height);
  FillWithStatic(*bitmap);
  TCanvas& canvas = bitmap->Canvas();
  DrawScratchLines(canvas, width, height, trace);
  DrawRings(canvas, width, height, trace);
  DrawTwinRings(canvas, width, height, trace);
  return bitmap;
}

std::unique_ptr<TBitmap> BuildFrame(int width, int height, FrameTrace* trace) {
  std::unique_ptr<TBitmap> bitmap = BuildStaticFrame(width, height, trace);
  PaintCaption(bitmap->Canvas(), width, height, trace ? &trace->text.emplace() : nullptr);
  return bitmap;
}

void ComposeFrame(HWND window, FrameTrace* trace) {
  const std::int32_t width = FrameWidth.load(std::memory_order_relaxed);
  const std::int32_t height = FrameHeight.load(std::memory_order_relaxed);
  std::unique_ptr<TBitmap> bitmap = BuildFrame(width, height, trace);
  RequestFocusRect(bitmap->Canvas(), window);
  PresentFrame(window, *bitmap);
}
