// The command line of nosignal-render.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const FrameSize&) const = default;
};

struct RenderOptions {
  std::vector<FrameSize> sizes{{1024, 768}};  // used in turn, frame after frame
  std::int64_t frames = 1;
  std::optional<std::string> png_folder;
  bool trace = false;
  bool help = false;
};

struct ParsedOptions {
  RenderOptions options;
  std::string error;  // empty when the command line is good
};

ParsedOptions ParseRenderOptions(const std::vector<std::string>& arguments);

// "640x480" or "640x480,0x0,320x240"; nullopt when malformed or negative.
std::optional<std::vector<FrameSize>> ParseSizeList(const std::string& text);

extern const char* const kRenderUsage;
