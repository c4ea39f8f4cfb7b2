// One line of the nosignal-render trace: what a frame drew, as JSON.
#pragma once

#include <cstdint>
#include <string>

#include "core/frame_trace.h"

struct TracedFrame {
  std::int64_t number = 0;  // from 1
  int width = 0;
  int height = 0;
  std::string caption_utf8;
  std::uint32_t random_state = 0;  // after the frame was composed
  const FrameTrace* trace = nullptr;
};

std::string TraceLine(const TracedFrame& frame);

// JSON string contents for UTF-8 text: quotes, backslashes and control
// characters escaped.
std::string JsonEscape(const std::string& text);
