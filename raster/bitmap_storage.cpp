#include "raster/bitmap_storage.h"

#include "raster/canvas.h"
#include "raster/exceptions.h"

namespace {

// Calls call(arguments...) and raises EOutOfResources with the text of the
// error it reports when it gives nothing. Not every call that can fail
// reports an error, so the last error is cleared first: a code left by an
// earlier call never names this failure.
template <class Call, class... Arguments>
auto Checked(Call call, Arguments... arguments) {
  SetLastError(ERROR_SUCCESS);
  auto result = call(arguments...);
  if (result == nullptr) throw EOutOfResources::FromLastError();
  return result;
}

BITMAPINFO SectionInfo(const DIBSECTION& description) {
  BITMAPINFO info{};
  info.bmiHeader = description.dsBmih;
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = description.dsBm.bmWidth;
  info.bmiHeader.biHeight = description.dsBm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;  // the only depth this layer makes
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

void Fill(HDC dc, int width, int height, TCanvas* canvas) {
  if (canvas == nullptr) {
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    return;
  }
  SetTextColor(dc, ToRgb(canvas->Font().Color()));
  SetBkColor(dc, ToRgb(canvas->Brush().Color()));
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, canvas->Brush().Handle());
}

void CopyOld(HDC target, HDC screen, HBITMAP old) {
  BITMAP size{};
  if (GetObjectA(old, sizeof(size), &size) == 0) throw EInvalidGraphic("Bitmap image is not valid");
  HDC source = Checked(CreateCompatibleDC, screen);
  HGDIOBJ previous = SelectObject(source, old);
  BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
  if (previous != nullptr) SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace

HBITMAP BuildSectionStorage(DIBSECTION& description, HBITMAP old, TCanvas* canvas) {
  const int width = description.dsBm.bmWidth;
  const int height = description.dsBm.bmHeight;
  if (width <= 0 || height <= 0) return nullptr;

  HDC screen = Checked(GetDC, nullptr);
  HDC memory = nullptr;
  HBITMAP section = nullptr;
  HGDIOBJ previous = nullptr;
  auto give_back = [&] {
    if (previous != nullptr) SelectObject(memory, previous);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  };
  try {
    memory = Checked(CreateCompatibleDC, screen);
    const BITMAPINFO info = SectionInfo(description);
    void* bits = nullptr;
    section = Checked(CreateDIBSection, screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits == nullptr) throw EOutOfResources::FromLastError();
    SetLastError(ERROR_SUCCESS);
    previous = SelectObject(memory, section);
    // A context that held no bitmap before also answers none, so ask it.
    if (GetCurrentObject(memory, OBJ_BITMAP) != section) throw EOutOfResources::FromLastError();
    Fill(memory, width, height, canvas);
    if (old != nullptr) CopyOld(memory, screen, old);
  } catch (...) {
    give_back();
    if (section != nullptr) DeleteObject(section);
    throw;
  }
  give_back();
  GetObjectA(section, sizeof(description), &description);
  return section;
}
