#include "probe_cases.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace probe {
namespace {

Figure ReadFigure(const std::string& word, std::istringstream& fields) {
  Figure f;
  std::string hex;
  if (word == "line" || word == "ellipse") {
    f.kind = word == "line" ? FigureKind::Line : FigureKind::Ellipse;
    fields >> f.pen_width >> f.color >> f.coords[0] >> f.coords[1] >> f.coords[2] >> f.coords[3];
  } else if (word == "text" && fields >> f.escapement >> f.charset >> f.color >> f.coords[0] >> f.coords[1] >> hex &&
             hex.size() % 2 == 0) {
    f.kind = FigureKind::Text;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
      f.text.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
  } else {
    fields.setstate(std::ios::failbit);
  }
  return f;
}

HGDIOBJ MakeObject(const Figure& f) {
  if (f.kind != FigureKind::Text) {
    const LOGPEN pen{PS_SOLID, {f.pen_width, 0}, f.color};
    return CreatePenIndirect(&pen);
  }
  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfWeight = 700;
  font.lfEscapement = f.escapement;
  font.lfCharSet = static_cast<BYTE>(f.charset);
  font.lfQuality = 200;
  std::strcpy(font.lfFaceName, "Arial");
  return CreateFontIndirectA(&font);
}

// Each figure with an object of its own, selected for the figure only.
void DrawFigure(HDC dc, const Figure& f) {
  const HGDIOBJ object = MakeObject(f);
  const HGDIOBJ previous = SelectObject(dc, object);
  const int* c = f.coords;
  if (f.kind == FigureKind::Line) {
    MoveToEx(dc, c[0], c[1], nullptr);
    LineTo(dc, c[2], c[3]);
  } else if (f.kind == FigureKind::Ellipse) {
    Ellipse(dc, c[0], c[1], c[2], c[3]);
  } else {
    SetTextColor(dc, f.color);
    ExtTextOutA(dc, c[0], c[1], 0, nullptr, f.text.data(), static_cast<UINT>(f.text.size()), nullptr);
  }
  SelectObject(dc, previous);
  DeleteObject(object);
}

}  // namespace

std::vector<Case> ReadCases(std::istream& in) {
  std::vector<Case> cases;
  std::string line, word;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream fields(line);
    if (!(fields >> word) || word[0] == '#') continue;
    if (word == "case") {
      cases.emplace_back();
      if (!(fields >> cases.back().name >> cases.back().width >> cases.back().height) || cases.back().width <= 0 ||
          cases.back().height <= 0) {
        fields.setstate(std::ios::failbit);
      }
    } else if (!cases.empty()) {
      cases.back().figures.push_back(ReadFigure(word, fields));
    } else {
      fields.setstate(std::ios::failbit);
    }
    if (fields.fail()) throw std::runtime_error("cannot read case line " + std::to_string(number) + ": " + line);
  }
  return cases;
}

std::size_t PictureBytes(const Case& c) {
  return ((static_cast<std::size_t>(c.width) * 3 + 3) & ~std::size_t{3}) * static_cast<std::size_t>(c.height);
}

std::vector<std::uint8_t> DrawCase(const Case& c) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), c.width, c.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::uint8_t* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  if (dc == nullptr || section == nullptr || bits == nullptr) {
    DeleteDC(dc);
    throw std::runtime_error("no section and context for case " + c.name);
  }
  // A dark blue that no figure uses, so that black figures show too.
  std::vector<std::uint8_t> pixels(PictureBytes(c));
  const std::size_t stride = pixels.size() / static_cast<std::size_t>(c.height);
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) std::memcpy(bits + stride * y + 3 * x, "\x80\x20\x10", 3);
  const HGDIOBJ previous_bitmap = SelectObject(dc, section);
  const HGDIOBJ previous_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  for (const Figure& f : c.figures) DrawFigure(dc, f);
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size());
  SelectObject(dc, previous_brush);
  SelectObject(dc, previous_bitmap);
  DeleteObject(section);
  DeleteDC(dc);
  return pixels;
}

}  // namespace probe
