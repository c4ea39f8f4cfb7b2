#include "tools/trace_json.h"

#include <cstdio>
#include <sstream>

namespace {

void Point(std::ostream& out, POINT point) { out << '[' << point.x << ',' << point.y << ']'; }

void Box(std::ostream& out, const RECT& box) {
  out << '[' << box.left << ',' << box.top << ',' << box.right << ',' << box.bottom << ']';
}

void Lines(std::ostream& out, const std::vector<LineTrace>& lines) {
  out << '[';
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineTrace& line = lines[i];
    out << (i ? "," : "") << "{\"pen_width\":" << line.pen_width << ",\"color\":" << line.color
        << ",\"from\":";
    Point(out, line.from);
    out << ",\"to\":";
    Point(out, line.to);
    out << '}';
  }
  out << ']';
}

void Rings(std::ostream& out, const std::vector<RingTrace>& rings) {
  out << '[';
  for (std::size_t i = 0; i < rings.size(); ++i) {
    const RingTrace& ring = rings[i];
    out << (i ? "," : "") << "{\"pen_width\":" << ring.pen_width << ",\"color\":" << ring.color
        << ",\"box\":";
    Box(out, ring.box);
    out << '}';
  }
  out << ']';
}

void TwinRings(std::ostream& out, const std::optional<TwinRingsTrace>& twin) {
  if (!twin) {
    out << "null";
    return;
  }
  out << "{\"pen_width\":" << twin->pen_width << ",\"color\":" << twin->color << ",\"boxes\":[";
  Box(out, twin->boxes[0]);
  out << ',';
  Box(out, twin->boxes[1]);
  out << "]}";
}

void Text(std::ostream& out, const std::optional<TextTrace>& text) {
  if (!text) {
    out << "null";
    return;
  }
  out << "{\"measured\":[" << text->measured.cx << ',' << text->measured.cy
      << "],\"escapement\":" << text->escapement << ",\"silver\":";
  Point(out, text->silver);
  out << ",\"white\":";
  Point(out, text->white);
  out << '}';
}

}  // namespace

std::string JsonEscape(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      escaped += '\\';
      escaped += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
      escaped += code;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string TraceLine(const TracedFrame& frame) {
  static const FrameTrace kNothing;
  const FrameTrace& trace = frame.trace ? *frame.trace : kNothing;
  std::ostringstream out;
  out << "{\"frame\":" << frame.number << ",\"width\":" << frame.width << ",\"height\":"
      << frame.height << ",\"caption\":\"" << JsonEscape(frame.caption_utf8)
      << "\",\"random_state\":" << frame.random_state << ",\"lines\":";
  Lines(out, trace.lines);
  out << ",\"rings\":";
  Rings(out, trace.rings);
  out << ",\"twin_rings\":";
  TwinRings(out, trace.twin_rings);
  out << ",\"text\":";
  Text(out, trace.text);
  out << '}';
  return out.str();
}
