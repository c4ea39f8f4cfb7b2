// A 24-bit section selected into a memory context, for tests of the drawing
// calls: pixels are read straight from its memory, and it starts black
// (a new section's pixels are unspecified). Objects it makes are deleted
// with it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32.h"

inline HPEN MakePen(COLORREF color, int width = 1) {
  const LOGPEN pen{PS_SOLID, {width, 0}, color};
  return CreatePenIndirect(&pen);
}

class Section {
 public:
  Section(int width, int height, bool bottom_up = true) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, bottom_up ? height : -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    // A bottom-up section's top row is the last in memory.
    step_ = bottom_up ? -Stride() : Stride();
    top_ = bits_ != nullptr && bottom_up ? bits_ + (height - 1) * Stride() : bits_;
    SelectObject(dc_, bitmap_);
    Fill(0);
  }
  ~Section() {
    DeleteDC(dc_);  // deselects everything, so all of it can go
    DeleteObject(bitmap_);
    for (HGDIOBJ object : made_) DeleteObject(object);
  }
  Section(const Section&) = delete;
  Section& operator=(const Section&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  std::uint8_t* Row(int y) const { return top_ + static_cast<std::ptrdiff_t>(y) * step_; }
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = Row(y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
  }
  void Fill(COLORREF color) {
    for (int y = 0; y < height_; ++y) {
      for (std::uint8_t* p = Row(y); p < Row(y) + 3 * width_; p += 3) {
        for (int i = 0; i < 3; ++i) p[i] = static_cast<std::uint8_t>(color >> (16 - 8 * i));  // blue first
      }
    }
  }
  std::vector<std::uint8_t> Memory() const { return {bits_, bits_ + Stride() * height_}; }
  // Makes an object that lives as long as the section.
  template <class Handle>
  Handle Keep(Handle made) {
    made_.push_back(made);
    return made;
  }
  HPEN Pen(int width, COLORREF color) { return Keep(MakePen(color, width)); }
  HBRUSH Brush(COLORREF color) {
    const LOGBRUSH brush{BS_SOLID, color, 0};
    return Keep(CreateBrushIndirect(&brush));
  }

 private:
  int Stride() const { return (width_ * 3 + 3) & ~3; }
  int width_, height_;
  std::uint8_t* top_ = nullptr;
  int step_ = 0;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  std::vector<HGDIOBJ> made_;
};
