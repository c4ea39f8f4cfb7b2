// The drawing calls: each takes the context's state and runs one of the
// rasteriser's algorithms on the context's pixels.
#include <cstdint>
#include <optional>
#include <utility>

#include "platform/soft/graphics/brush_fill.h"
#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/objects.h"
#include "platform/soft/graphics/rasterizer.h"
#include "platform/soft/graphics/surface_access.h"
#include "platform/soft/kernel/fail_with.h"

namespace {

using soft::Box;
using soft::Kind;

constexpr COLORREF kRgbMask = 0x00FFFFFF;

// The pen's width in pixels, or 0 when it draws nothing. Dashed styles are
// drawn solid: nothing here asks for dashes.
int StrokeWidth(const soft::DcObject& dc) {
  const auto pen = soft::FindAs<soft::PenObject>(dc.pen, Kind::Pen);
  if (pen == nullptr || pen->pen.lopnStyle == PS_NULL) return 0;
  return pen->pen.lopnWidth.x > 1 ? pen->pen.lopnWidth.x : 1;
}

COLORREF PenColor(const soft::DcObject& dc) {
  const auto pen = soft::FindAs<soft::PenObject>(dc.pen, Kind::Pen);
  return pen != nullptr ? pen->pen.lopnColor & kRgbMask : 0;
}

Box BoxOf(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  Box box{x, y, x + width, y + height};
  if (box.right < box.left) std::swap(box.left, box.right);
  if (box.bottom < box.top) std::swap(box.top, box.bottom);
  return box;
}

BOOL Blit(HDC dest, soft::Area to, HDC source, soft::Area from) {
  auto target = soft::UseDc(dest);
  auto origin = soft::UseDc(source);
  if (target == nullptr || origin == nullptr) return FALSE;
  // Only memory contexts are sources: a window's pixels are never read back.
  if (!origin->memory) return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  const soft::SurfaceAccess from_access(*origin);
  const soft::SurfaceAccess to_access(*target);
  soft::StretchCopy(to_access.surface(), to, from_access.surface(), from);
  return TRUE;
}

}  // namespace

// Only R2_COPYPEN is drawn: every line and figure here copies its pen.
BOOL LineTo(HDC dc, int x, int y) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  const POINT from = found->position;
  const POINT to{x, y};
  found->position = to;
  const int width = StrokeWidth(*found);
  if (width == 0) return TRUE;
  const soft::SurfaceAccess access(*found);
  soft::DrawWideLine(access.surface(), from, to, width, PenColor(*found));
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  soft::EllipseStyle style;
  style.pen_width = StrokeWidth(*found);
  style.outline = style.pen_width > 0;
  style.pen_color = PenColor(*found);
  const auto pen = soft::FindAs<soft::PenObject>(found->pen, Kind::Pen);
  style.inside_frame = pen != nullptr && pen->pen.lopnStyle == PS_INSIDEFRAME;
  std::optional<COLORREF> fill;
  soft::BrushFill(static_cast<HBRUSH>(found->brush), fill);
  style.fill = fill.has_value();
  style.fill_color = fill.value_or(0);
  if (!style.outline && !style.fill) return TRUE;
  const soft::SurfaceAccess access(*found);
  soft::DrawEllipse(access.surface(), BoxOf(left, top, std::int64_t{right} - left, std::int64_t{bottom} - top), style);
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  COLORREF color = 0;
  switch (rop) {
    case WHITENESS: color = 0xFFFFFF; break;
    case BLACKNESS: color = 0x000000; break;
    case PATCOPY: {
      std::optional<COLORREF> fill;
      if (!soft::BrushFill(static_cast<HBRUSH>(found->brush), fill) || !fill) return TRUE;
      color = *fill;
      break;
    }
    default: return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  }
  const soft::SurfaceAccess access(*found);
  soft::FillBox(access.surface(), BoxOf(x, y, width, height), color);
  return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop) {
  if (rop == WHITENESS || rop == BLACKNESS || rop == PATCOPY) return PatBlt(dest, x, y, width, height, rop);
  if (rop != SRCCOPY) return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  return Blit(dest, {x, y, width, height}, source, {sx, sy, width, height});
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int swidth,
                int sheight, DWORD rop) {
  if (rop != SRCCOPY) return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  return Blit(dest, {x, y, width, height}, source, {sx, sy, swidth, sheight});
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return 0;
  std::optional<COLORREF> fill;
  if (rect == nullptr || !soft::BrushFill(brush, fill)) return soft::FailWith(ERROR_INVALID_PARAMETER, 0);
  if (!fill) return 1;
  const soft::SurfaceAccess access(*found);
  soft::FillBox(access.surface(), Box{rect->left, rect->top, rect->right, rect->bottom}, *fill);
  return 1;
}

// The program hands a window where a context belongs; that draws nothing and
// fails. On a real context the frame is dotted and inverted, so drawing it
// twice takes it away again.
BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  if (rect == nullptr) return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  const soft::SurfaceAccess access(*found);
  soft::InvertDottedFrame(access.surface(), Box{rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}
