// GDI objects: stock objects, pens, brushes and fonts, and the calls that
// describe, identify and delete any GDI object.
#include <cstdint>
#include <cstring>

#include "platform/soft/graphics/brush_fill.h"
#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/objects.h"
#include "platform/soft/kernel/fail_with.h"
#include "platform/soft/kernel/misuse.h"
#include "platform/soft/kernel/system_info.h"

namespace {

using soft::Kind;

HGDIOBJ InsertStock(std::unique_ptr<soft::Object> object) {
  object->stock = true;
  return soft::Insert(std::move(object));
}

HGDIOBJ MakePen(UINT style, COLORREF color) {
  auto pen = std::make_unique<soft::PenObject>();
  pen->pen = {style, {1, 0}, color};
  return InsertStock(std::move(pen));
}

HGDIOBJ MakeBrush(UINT style, COLORREF color) {
  auto brush = std::make_unique<soft::BrushObject>();
  brush->brush = {style, color, 0};
  return InsertStock(std::move(brush));
}

HGDIOBJ MakeFont(LONG height, LONG weight, BYTE charset, const char* face) {
  auto font = std::make_unique<soft::FontObject>();
  font->font.lfHeight = height;
  font->font.lfWeight = weight;
  font->font.lfCharSet = charset;
  std::strncpy(font->font.lfFaceName, face, LF_FACESIZE - 1);
  return InsertStock(std::move(font));
}

struct StockObjects {
  HGDIOBJ white_brush = MakeBrush(BS_SOLID, 0xFFFFFF);
  HGDIOBJ black_brush = MakeBrush(BS_SOLID, 0x000000);
  HGDIOBJ null_brush = MakeBrush(BS_NULL, 0x000000);
  HGDIOBJ white_pen = MakePen(PS_SOLID, 0xFFFFFF);
  HGDIOBJ black_pen = MakePen(PS_SOLID, 0x000000);
  HGDIOBJ null_pen = MakePen(PS_NULL, 0x000000);
  HGDIOBJ system_font = MakeFont(16, FW_BOLD, soft::SystemFontCharset(), "System");
  HGDIOBJ gui_font = MakeFont(-11, FW_NORMAL, DEFAULT_CHARSET, "MS Shell Dlg");
};

// Made once, on first use, by whichever thread comes first.
const StockObjects& Stock() {
  static const StockObjects* stock = new StockObjects;
  return *stock;
}

// Copies what into buffer when it fits; the size needed when buffer is null.
int CopyOut(const void* what, int what_size, int size, void* buffer) {
  if (buffer == nullptr) return what_size;
  if (size < what_size) return soft::FailWith(ERROR_INSUFFICIENT_BUFFER, 0);
  std::memcpy(buffer, what, static_cast<std::size_t>(what_size));
  return what_size;
}

// A bitmap is described as a DIBSECTION when the buffer holds one, otherwise
// as its BITMAP part.
int DescribeBitmap(const soft::BitmapObject& bitmap, int size, void* buffer) {
  constexpr int kSectionSize = static_cast<int>(sizeof(DIBSECTION));
  if (buffer == nullptr || size >= kSectionSize) return CopyOut(&bitmap.section, kSectionSize, size, buffer);
  return CopyOut(&bitmap.section.dsBm, static_cast<int>(sizeof(BITMAP)), size, buffer);
}

}  // namespace

HGDIOBJ GetStockObject(int object) {
  const StockObjects& stock = Stock();
  switch (object) {
    case WHITE_BRUSH: return stock.white_brush;
    case BLACK_BRUSH: return stock.black_brush;
    case NULL_BRUSH: return stock.null_brush;
    case WHITE_PEN: return stock.white_pen;
    case BLACK_PEN: return stock.black_pen;
    case NULL_PEN: return stock.null_pen;
    case SYSTEM_FONT: return stock.system_font;
    case DEFAULT_GUI_FONT: return stock.gui_font;
    default: return soft::FailWith<HGDIOBJ>(ERROR_INVALID_PARAMETER, nullptr);
  }
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (pen == nullptr || pen->lopnStyle > PS_INSIDEFRAME) {
    return soft::FailWith<HPEN>(ERROR_INVALID_PARAMETER, nullptr);
  }
  auto object = std::make_unique<soft::PenObject>();
  object->pen = *pen;
  return static_cast<HPEN>(soft::Insert(std::move(object)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr || brush->lbStyle > BS_HATCHED) {
    return soft::FailWith<HBRUSH>(ERROR_INVALID_PARAMETER, nullptr);
  }
  auto object = std::make_unique<soft::BrushObject>();
  object->brush = *brush;
  return static_cast<HBRUSH>(soft::Insert(std::move(object)));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) return soft::FailWith<HFONT>(ERROR_INVALID_PARAMETER, nullptr);
  auto object = std::make_unique<soft::FontObject>();
  object->font = *font;
  object->font.lfFaceName[LF_FACESIZE - 1] = '\0';  // a face name always ends
  return static_cast<HFONT>(soft::Insert(std::move(object)));
}

int GetObjectA(HANDLE object, int size, LPVOID buffer) {
  const auto found = soft::Find(object);
  if (found == nullptr) return soft::FailWith(ERROR_INVALID_HANDLE, 0);
  switch (found->kind) {
    case Kind::Pen:
      return CopyOut(&static_cast<const soft::PenObject*>(found.get())->pen, sizeof(LOGPEN), size, buffer);
    case Kind::Brush:
      return CopyOut(&static_cast<const soft::BrushObject*>(found.get())->brush, sizeof(LOGBRUSH), size, buffer);
    case Kind::Font:
      return CopyOut(&static_cast<const soft::FontObject*>(found.get())->font, sizeof(LOGFONTA), size, buffer);
    case Kind::Bitmap:
      return DescribeBitmap(*static_cast<const soft::BitmapObject*>(found.get()), size, buffer);
    default:
      return soft::FailWith(ERROR_INVALID_HANDLE, 0);
  }
}

DWORD GetObjectType(HGDIOBJ object) {
  const auto found = soft::Find(object);
  if (found == nullptr) return soft::FailWith<DWORD>(ERROR_INVALID_HANDLE, 0);
  switch (found->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Dc: return static_cast<const soft::DcObject*>(found.get())->memory ? OBJ_MEMDC : OBJ_DC;
    default: return 0;
  }
}

// Deleting an object that a context still has selected is refused (Windows
// would leave the context with a dangling object) and counted as misuse.
BOOL DeleteObject(HGDIOBJ object) {
  auto found = soft::Find(object);
  if (found == nullptr || found->kind == Kind::Dc || found->kind == Kind::Window) {
    return soft::FailWith(ERROR_INVALID_HANDLE, FALSE);
  }
  if (found->stock) return TRUE;
  if (found->selections.load() > 0) {
    soft::NoteMisuse();
    return soft::FailWith(ERROR_BUSY, FALSE);
  }
  soft::Remove(object);
  return TRUE;
}

// Brushes have no realisation to undo here: there is no brush origin.
BOOL UnrealizeObject(HGDIOBJ object) {
  const auto found = soft::Find(object);
  return found != nullptr && found->kind == Kind::Brush ? TRUE : soft::FailWith(ERROR_INVALID_HANDLE, FALSE);
}

namespace soft {

bool BrushFill(HBRUSH brush, std::optional<COLORREF>& fill) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= static_cast<std::uintptr_t>(COLOR_MENUBAR) + 1) {
    fill = GetSysColor(static_cast<int>(value - 1));
    return true;
  }
  const auto found = FindAs<BrushObject>(brush, Kind::Brush);
  if (found == nullptr) return false;
  // A hatched brush fills with its hatch colour: nothing here draws hatches.
  if (found->brush.lbStyle == BS_NULL) {
    fill.reset();
  } else {
    fill = found->brush.lbColor & 0x00FFFFFF;
  }
  return true;
}

}  // namespace soft
