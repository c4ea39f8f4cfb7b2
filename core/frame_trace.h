// What a frame drew, as the drawing calls received it. The composer fills
// one when asked (nosignal-render --trace, tests); the window never asks.
#pragma once

#include <optional>
#include <vector>

#include "platform/win32.h"
#include "raster/colors.h"

struct LineTrace {
  int pen_width = 0;
  TColor color = 0;
  POINT from{};
  POINT to{};
};

struct RingTrace {
  int pen_width = 0;
  TColor color = 0;
  RECT box{};
};

struct TwinRingsTrace {
  int pen_width = 0;
  TColor color = 0;
  RECT boxes[2]{};
};

struct TextTrace {
  SIZE measured{};
  int escapement = 0;  // tenths of a degree; 0 when the caption is level
  POINT silver{};
  POINT white{};
};

struct FrameTrace {
  std::vector<LineTrace> lines;
  std::vector<RingTrace> rings;
  std::optional<TwinRingsTrace> twin_rings;
  std::optional<TextTrace> text;
};
