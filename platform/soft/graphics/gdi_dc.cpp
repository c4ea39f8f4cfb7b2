// Drawing contexts: memory, screen and window contexts, what is selected into
// them, their modes and colours, and what they report about themselves.
#include <utility>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/handle_visit.h"
#include "platform/soft/graphics/objects.h"
#include "platform/soft/graphics/surface.h"
#include "platform/soft/graphics/surface_access.h"
#include "platform/soft/graphics/window_seams.h"
#include "platform/soft/kernel/fail_with.h"
#include "platform/soft/kernel/misuse.h"
#include "platform/soft/kernel/system_info.h"

namespace {

using soft::DcObject;
using soft::Kind;

// The context's place for an object of this kind, or nullptr when it cannot
// hold one (a bitmap goes only into a memory context).
HGDIOBJ* SlotFor(DcObject& dc, Kind kind) {
  switch (kind) {
    case Kind::Pen: return &dc.pen;
    case Kind::Brush: return &dc.brush;
    case Kind::Font: return &dc.font;
    case Kind::Bitmap: return dc.memory ? &dc.bitmap : nullptr;
    default: return nullptr;
  }
}

// Puts object into slot, keeping every object's count of contexts that hold
// it right; returns what the slot held before.
HGDIOBJ Swap(HGDIOBJ* slot, HGDIOBJ object, soft::Object& found) {
  const HGDIOBJ previous = *slot;
  if (previous == object) return previous;
  ++found.selections;
  if (auto old = soft::Find(previous)) --old->selections;
  *slot = object;
  return previous;
}

void SelectDefaults(DcObject& dc) {
  for (const int stock : {BLACK_PEN, WHITE_BRUSH, SYSTEM_FONT}) {
    const HGDIOBJ object = GetStockObject(stock);
    auto found = soft::Find(object);
    Swap(SlotFor(dc, found->kind), object, *found);
  }
}

void DeselectAll(DcObject& dc) {
  for (HGDIOBJ* slot : {&dc.pen, &dc.brush, &dc.font, &dc.bitmap}) {
    if (auto old = soft::Find(*slot)) --old->selections;
    *slot = nullptr;
  }
}

HDC InsertDc(std::unique_ptr<DcObject> dc) {
  SelectDefaults(*dc);
  return static_cast<HDC>(soft::Insert(std::move(dc)));
}

void DestroyDc(HDC handle, DcObject& dc) {
  DeselectAll(dc);
  soft::Remove(handle);
}

// The client area of window, asked for while the window cannot be destroyed.
std::shared_ptr<soft::DeviceTarget> ClientTargetOf(HWND window) {
  std::shared_ptr<soft::DeviceTarget> target;
  soft::VisitLocked(window, [&](soft::Object& object) {
    if (object.kind == Kind::Window) target = static_cast<soft::WindowBase&>(object).ClientTarget();
  });
  return target;
}

}  // namespace

HDC CreateCompatibleDC(HDC dc) {
  if (dc != nullptr && soft::UseDc(dc) == nullptr) return nullptr;
  auto memory = std::make_unique<DcObject>();
  memory->memory = true;
  return InsertDc(std::move(memory));
}

// Only memory contexts are deleted; a context from GetDC goes back with
// ReleaseDC.
BOOL DeleteDC(HDC dc) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  if (!found->memory) {
    soft::NoteMisuse();
    return soft::FailWith(ERROR_INVALID_HANDLE, FALSE);
  }
  DestroyDc(dc, *found);
  return TRUE;
}

// GetDC(nullptr) is the screen: it has the screen's properties but no pixels.
HDC GetDC(HWND window) {
  auto dc = std::make_unique<DcObject>();
  if (window != nullptr) {
    dc->device = ClientTargetOf(window);
    if (dc->device == nullptr) return soft::FailWith<HDC>(ERROR_INVALID_WINDOW_HANDLE, nullptr);
    dc->window = window;
  }
  return InsertDc(std::move(dc));
}

int ReleaseDC(HWND window, HDC dc) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return 0;
  if (found->memory) return soft::FailWith(ERROR_INVALID_HANDLE, 0);
  if (found->window != window) {
    soft::NoteMisuse();
    return soft::FailWith(ERROR_INVALID_HANDLE, 0);
  }
  if (found->device != nullptr) found->device->Released();
  DestroyDc(dc, *found);
  return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  auto context = soft::UseDc(dc);
  auto found = soft::Find(object);
  if (context == nullptr) return nullptr;
  if (found == nullptr) return soft::FailWith<HGDIOBJ>(ERROR_INVALID_HANDLE, nullptr);
  HGDIOBJ* slot = SlotFor(*context, found->kind);
  if (slot == nullptr) return soft::FailWith<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
  // A bitmap can be selected into one context at a time.
  if (found->kind == Kind::Bitmap && found->selections.load() > 0 && *slot != object) {
    return soft::FailWith<HGDIOBJ>(ERROR_INVALID_HANDLE, nullptr);
  }
  return Swap(slot, object, *found);
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return nullptr;
  switch (type) {
    case OBJ_PEN: return found->pen;
    case OBJ_BRUSH: return found->brush;
    case OBJ_FONT: return found->font;
    case OBJ_BITMAP: return found->bitmap;
    default: return soft::FailWith<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
  }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  auto found = soft::UseDc(dc);
  return found != nullptr ? std::exchange(found->text_color, color) : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  auto found = soft::UseDc(dc);
  return found != nullptr ? std::exchange(found->bk_color, color) : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return 0;
  if (mode != TRANSPARENT && mode != OPAQUE) return soft::FailWith(ERROR_INVALID_PARAMETER, 0);
  return std::exchange(found->bk_mode, mode);
}

int SetROP2(HDC dc, int mode) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return 0;
  if (mode < 1 || mode > 16) return soft::FailWith(ERROR_INVALID_PARAMETER, 0);
  return std::exchange(found->rop2, mode);
}

int SetStretchBltMode(HDC dc, int mode) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return 0;
  if (mode < BLACKONWHITE || mode > HALFTONE) return soft::FailWith(ERROR_INVALID_PARAMETER, 0);
  return std::exchange(found->stretch_mode, mode);
}

COLORREF GetTextColor(HDC dc) {
  const auto found = soft::UseDc(dc);
  return found != nullptr ? found->text_color : CLR_INVALID;
}

COLORREF GetBkColor(HDC dc) {
  const auto found = soft::UseDc(dc);
  return found != nullptr ? found->bk_color : CLR_INVALID;
}

int GetBkMode(HDC dc) {
  const auto found = soft::UseDc(dc);
  return found != nullptr ? found->bk_mode : 0;
}

int GetROP2(HDC dc) {
  const auto found = soft::UseDc(dc);
  return found != nullptr ? found->rop2 : 0;
}

int GetStretchBltMode(HDC dc) {
  const auto found = soft::UseDc(dc);
  return found != nullptr ? found->stretch_mode : 0;
}

// Every context stands for a 32-bit true-colour screen.
int GetDeviceCaps(HDC dc, int index) {
  if (soft::UseDc(dc) == nullptr) return 0;
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return soft::ScreenDpi();
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    default: return 0;
  }
}

// Nothing is batched: every drawing call has finished when it returns.
BOOL GdiFlush() { return TRUE; }

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  if (previous != nullptr) *previous = found->position;
  found->position = {x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT point) {
  const auto found = soft::UseDc(dc);
  if (found == nullptr) return FALSE;
  if (point == nullptr) return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  *point = found->position;
  return TRUE;
}

// No context here ever moves its window origin.
BOOL GetWindowOrgEx(HDC dc, LPPOINT point) {
  if (soft::UseDc(dc) == nullptr) return FALSE;
  if (point == nullptr) return soft::FailWith(ERROR_INVALID_PARAMETER, FALSE);
  *point = {0, 0};
  return TRUE;
}

// A memory context without a bitmap clips to one pixel, as on Windows; the
// screen context has no pixels and clips everything.
int GetClipBox(HDC dc, LPRECT rect) {
  auto found = soft::UseDc(dc);
  if (found == nullptr) return ERROR_REGION;
  if (rect == nullptr) return soft::FailWith(ERROR_INVALID_PARAMETER, ERROR_REGION);
  if (found->memory && found->bitmap == nullptr) {
    *rect = {0, 0, 1, 1};
    return SIMPLEREGION;
  }
  const soft::SurfaceAccess access(*found);
  const soft::Surface& surface = access.surface();
  *rect = surface.Empty() ? RECT{0, 0, 0, 0} : RECT{0, 0, surface.width, surface.height};
  return surface.Empty() ? NULLREGION : SIMPLEREGION;
}
