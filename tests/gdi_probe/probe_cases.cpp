#include "probe_cases.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace probe {
namespace {

std::string FromHex(const std::string& hex) {
  if (hex.size() % 2 != 0) throw std::runtime_error("odd number of hex digits: " + hex);
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

Figure ReadFigure(const std::string& word, std::istringstream& fields) {
  Figure f;
  if (word == "line" || word == "ellipse") {
    f.kind = word == "line" ? FigureKind::Line : FigureKind::Ellipse;
    fields >> f.pen_width >> f.color >> f.coords[0] >> f.coords[1] >> f.coords[2] >> f.coords[3];
  } else if (word == "text") {
    std::string hex;
    f.kind = FigureKind::Text;
    fields >> f.escapement >> f.charset >> f.color >> f.coords[0] >> f.coords[1] >> hex;
    f.text = FromHex(hex);
  } else {
    fields.setstate(std::ios::failbit);
  }
  return f;
}

// A selected object that goes back out of the context when done.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), previous_(SelectObject(dc, object)) {}
  ~Selected() {
    SelectObject(dc_, previous_);
    DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ previous_;
};

HPEN MakePen(const Figure& f) {
  LOGPEN pen{};
  pen.lopnStyle = PS_SOLID;
  pen.lopnWidth.x = f.pen_width;
  pen.lopnColor = f.color;
  return CreatePenIndirect(&pen);
}

HFONT MakeFont(const Figure& f) {
  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfWeight = 700;
  font.lfEscapement = f.escapement;
  font.lfCharSet = static_cast<BYTE>(f.charset);
  font.lfQuality = 200;
  std::strcpy(font.lfFaceName, "Arial");
  return CreateFontIndirectA(&font);
}

void DrawFigure(HDC dc, const Figure& f) {
  const int* c = f.coords;
  switch (f.kind) {
    case FigureKind::Line: {
      const Selected pen(dc, MakePen(f));
      MoveToEx(dc, c[0], c[1], nullptr);
      LineTo(dc, c[2], c[3]);
      break;
    }
    case FigureKind::Ellipse: {
      const Selected pen(dc, MakePen(f));
      Ellipse(dc, c[0], c[1], c[2], c[3]);
      break;
    }
    case FigureKind::Text: {
      const Selected font(dc, MakeFont(f));
      SetTextColor(dc, f.color);
      ExtTextOutA(dc, c[0], c[1], 0, nullptr, f.text.data(), static_cast<UINT>(f.text.size()), nullptr);
      break;
    }
  }
}

// A dark blue that no figure uses, so that black figures show too.
void FillBackground(std::uint8_t* bits, const Case& c) {
  const std::size_t stride = PictureBytes(c) / static_cast<std::size_t>(c.height);
  for (int y = 0; y < c.height; ++y) {
    std::uint8_t* pixel = bits + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < c.width; ++x, pixel += 3) {
      pixel[0] = 0x80;
      pixel[1] = 0x20;
      pixel[2] = 0x10;
    }
  }
}

}  // namespace

std::vector<Case> ReadCases(std::istream& in) {
  std::vector<Case> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream fields(line);
    std::string word;
    if (!(fields >> word) || word[0] == '#') continue;
    if (word == "case") {
      Case c;
      fields >> c.name >> c.width >> c.height;
      if (c.width <= 0 || c.height <= 0) fields.setstate(std::ios::failbit);
      cases.push_back(std::move(c));
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
  const std::size_t stride = (static_cast<std::size_t>(c.width) * 3 + 3) & ~std::size_t{3};
  return stride * static_cast<std::size_t>(c.height);
}

std::vector<std::uint8_t> DrawCase(const Case& c) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = c.width;
  info.bmiHeader.biHeight = c.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) throw std::runtime_error("no memory context for case " + c.name);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr || bits == nullptr) {
    DeleteDC(dc);
    throw std::runtime_error("no DIB section for case " + c.name);
  }
  std::vector<std::uint8_t> pixels(PictureBytes(c), 0);
  {
    const HGDIOBJ previous_bitmap = SelectObject(dc, section);
    const HGDIOBJ previous_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    FillBackground(static_cast<std::uint8_t*>(bits), c);
    SetBkMode(dc, TRANSPARENT);
    for (const Figure& f : c.figures) DrawFigure(dc, f);
    GdiFlush();
    std::memcpy(pixels.data(), bits, pixels.size());
    SelectObject(dc, previous_brush);
    SelectObject(dc, previous_bitmap);
  }
  DeleteObject(section);
  DeleteDC(dc);
  return pixels;
}

}  // namespace probe
