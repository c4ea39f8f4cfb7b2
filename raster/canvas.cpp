#include "raster/canvas.h"

#include <climits>

#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"

namespace {

int TextLength(std::string_view text) {
  // The platform counts bytes in a signed 32-bit value.
  return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace

TCanvas::TCanvas()
    : module_(RasterModule()),
      font_(std::make_unique<TFont>()),
      pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()) {
  font_->SetOnChange([this] { Deselect(rfFont, module_->NeutralFont); });
  pen_->SetOnChange([this] { Deselect(rfPen, module_->NeutralPen); });
  brush_->SetOnChange([this] { Deselect(rfBrush, module_->NeutralBrush); });
  font_->SetOwnerLock(&canvas_lock_);
  pen_->SetOwnerLock(&canvas_lock_);
  brush_->SetOwnerLock(&canvas_lock_);
}

TCanvas::~TCanvas() {
  AttachContext(nullptr);
  // The neutral objects are selected now, so each platform object can go
  // with the last description that refers to it.
  font_.reset();
  pen_.reset();
  brush_.reset();
}

void TCanvas::EnsureReady(std::uint8_t flags) {
  const auto needed = static_cast<std::uint8_t>(flags & ~ready_);
  if (needed == 0) return;
  if ((needed & rfContext) != 0) {
    CreateContext();
    if (dc_ == nullptr) throw EInvalidOperation("Canvas does not allow drawing");
  }
  if ((needed & rfFont) != 0) SelectFont();
  if ((needed & rfPen) != 0) SelectPen();
  if ((needed & rfBrush) != 0) SelectBrush();
  ready_ = static_cast<std::uint8_t>(ready_ | needed);
}

void TCanvas::SelectFont() {
  SelectObject(dc_, font_->FontHandle());
  SetTextColor(dc_, ToRgb(font_->Color()));
}

void TCanvas::SelectPen() {
  SelectObject(dc_, pen_->Handle());
  SetROP2(dc_, R2_COPYPEN);
}

void TCanvas::SelectBrush() {
  HBRUSH brush = brush_->Handle();
  UnrealizeObject(brush);
  SelectObject(dc_, brush);
  const COLORREF color = ToRgb(brush_->Color());
  if (brush_->Style() == bsSolid) {
    SetBkColor(dc_, color);
    SetBkMode(dc_, OPAQUE);
  } else {
    SetBkColor(dc_, ~color);
    SetBkMode(dc_, TRANSPARENT);
  }
}

void TCanvas::Deselect(TReadyFlag flag, HGDIOBJ neutral) {
  if ((ready_ & flag) == 0) return;
  ready_ = static_cast<std::uint8_t>(ready_ & ~flag);
  SelectObject(dc_, neutral);
}

void TCanvas::DeselectAll() {
  if ((ready_ & (rfFont | rfPen | rfBrush)) == 0) return;
  SelectObject(dc_, module_->NeutralPen);
  SelectObject(dc_, module_->NeutralBrush);
  SelectObject(dc_, module_->NeutralFont);
  ready_ = static_cast<std::uint8_t>(ready_ & ~(rfFont | rfPen | rfBrush));
}

void TCanvas::AttachContext(HDC dc) {
  if (dc == dc_) return;
  if (dc_ != nullptr) {
    DeselectAll();
    POINT position{};
    if (GetCurrentPositionEx(dc_, &position)) saved_position_ = position;
    dc_ = nullptr;
    ready_ = static_cast<std::uint8_t>(ready_ & ~rfContext);
  }
  if (dc != nullptr) {
    ready_ = static_cast<std::uint8_t>(ready_ | rfContext);
    dc_ = dc;
    MovePenTo(saved_position_.x, saved_position_.y);
  }
}

void TCanvas::MovePenTo(int x, int y) {
  EnsureReady(rfContext);
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::DrawLineTo(int x, int y) {
  BeforeChange();
  EnsureReady(rfContext | rfPen | rfBrush);
  LineTo(dc_, x, y);
  AfterChange();
}

void TCanvas::DrawEllipse(int x1, int y1, int x2, int y2) {
  BeforeChange();
  EnsureReady(rfContext | rfPen | rfBrush);
  Ellipse(dc_, x1, y1, x2, y2);
  AfterChange();
}

void TCanvas::PaintText(int x, int y, std::string_view text) {
  BeforeChange();
  EnsureReady(rfContext | rfFont | rfBrush);
  if ((text_flags_ & ETO_RTLREADING) != 0) {
    POINT origin{};
    GetWindowOrgEx(dc_, &origin);
    if (origin.x != 0) x += MeasureTextWidth(text) + 1;
  }
  ExtTextOutA(dc_, x, y, text_flags_, nullptr, text.data(), static_cast<UINT>(TextLength(text)),
              nullptr);
  MovePenTo(x + MeasureTextWidth(text), y);
  AfterChange();
}

SIZE TCanvas::MeasureText(std::string_view text) {
  EnsureReady(rfContext | rfFont);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc_, text.data(), TextLength(text), &size);
  return size;
}

RECT TCanvas::ClipBounds() {
  EnsureReady(rfContext);
  RECT bounds{};
  GetClipBox(dc_, &bounds);
  return bounds;
}

void TCanvas::PaintBitmap(int x, int y, TBitmap* bitmap) {
  if (bitmap == nullptr || bitmap->Empty()) return;
  BeforeChange();
  EnsureReady(rfContext);
  SetBkColor(dc_, ToRgb(brush_->Color()));
  SetTextColor(dc_, ToRgb(font_->Color()));
  EnsureReady(rfAll);
  ChooseStretchMode(bitmap->PixelDepth());
  TCanvas& source = bitmap->Canvas();
  source.EnsureReady(rfAll);
  StretchBlt(dc_, x, y, bitmap->Width(), bitmap->Height(), source.Context(), 0, 0,
             bitmap->Width(), bitmap->Height(), copy_mode_);
  AfterChange();
}

void TCanvas::ChooseStretchMode(int image_depth) {
  const int depth = GetDeviceCaps(dc_, BITSPIXEL) * GetDeviceCaps(dc_, PLANES);
  // Halftoning only pays on a palette display showing a deeper image.
  SetStretchBltMode(dc_, depth <= 8 && depth < image_depth ? HALFTONE : COLORONCOLOR);
}
