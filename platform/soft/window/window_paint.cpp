// user32's painting: the update region, UpdateWindow from any thread,
// BeginPaint and EndPaint, and the default window procedure.
#include <optional>

#include "platform/soft/graphics/brush_fill.h"
#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/surface_access.h"
#include "platform/soft/window/window_object.h"
#include "platform/soft/window/window_queue.h"
#include "platform/soft/window/window_registry.h"

namespace {

LRESULT EraseBackground(HWND handle, HDC dc) {
  soft::Window* window = soft::LookUpWindow(handle);
  const auto context = soft::FindDc(dc);
  // A class without a background brush leaves erasing to the window.
  std::optional<COLORREF> fill;
  if (window == nullptr || context == nullptr || !soft::BrushFill(window->Class().background, fill) || !fill) {
    return 0;
  }
  soft::SurfaceAccess access(*context);
  soft::FillSurface(access.surface(), window->PaintArea(), *fill);
  return 1;
}

LRESULT DefaultPaint(HWND handle) {
  PAINTSTRUCT paint;
  if (BeginPaint(handle, &paint) != nullptr) EndPaint(handle, &paint);
  return 0;
}

}  // namespace

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
  if (handle == nullptr) {
    for (soft::Window* window : soft::registry::WindowsOfThread(GetCurrentThreadId())) {
      window->Invalidate(nullptr, erase != FALSE);
    }
    return TRUE;
  }
  soft::Window* window = soft::LiveWindow(handle);
  if (window == nullptr) return FALSE;
  window->Invalidate(rect, erase != FALSE);
  return TRUE;
}

BOOL UpdateWindow(HWND handle) {
  soft::Window* window = soft::LiveWindow(handle);
  if (window == nullptr) return FALSE;
  if (!window->NeedsPaint()) return TRUE;
  if (window->OnOwnerThread()) {
    window->Call(WM_PAINT, 0, 0);
    return TRUE;
  }
  // The window's own thread paints; this one waits for it, or for the
  // window's end, whichever comes first.
  if (window->Queue().SendPaint(*window)) return TRUE;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return FALSE;
}

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
  soft::Window* window = soft::LookUpWindow(handle);
  if (window == nullptr || window->Destroyed() || paint == nullptr || !window->OnOwnerThread()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  *paint = PAINTSTRUCT{};
  bool erase = false;
  paint->rcPaint = window->TakeUpdate(&erase);
  paint->hdc = GetDC(handle);
  if (paint->hdc == nullptr) return nullptr;
  window->SetPaintArea(paint->rcPaint);
  if (erase) {
    const LRESULT erased = window->Call(WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0);
    paint->fErase = erased == 0 ? TRUE : FALSE;
  }
  return paint->hdc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return FALSE;
  if (soft::Window* window = soft::LookUpWindow(handle)) window->SetPaintArea(std::nullopt);
  if (paint->hdc != nullptr) ReleaseDC(handle, paint->hdc);
  return TRUE;
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_PAINT:
      return DefaultPaint(handle);
    case WM_ERASEBKGND:
      return EraseBackground(handle, reinterpret_cast<HDC>(wparam));
    case WM_CLOSE:
      DestroyWindow(handle);
      return 0;
    default:
      return 0;
  }
}
