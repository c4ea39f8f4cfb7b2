// The command line of nosignal-render.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/png_encoder.h"

struct FrameSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool operator==(const FrameSize&) const = default;
};

struct RenderOptions {
  std::vector<FrameSize> sizes{{1024, 768}};  // used in turn, frame after frame
  std::int64_t frames = 1;
  std::optional<std::string> png_folder;
  int png_level = kDefaultPngLevel;
  std::optional<std::string> y4m_file;  // "-" is standard output
  bool trace = false;
  bool quiet = false;
  bool help = false;
  bool version = false;

  // The size of frame number (from 1).
  FrameSize SizeOf(std::int64_t number) const;
};

struct ParsedOptions {
  RenderOptions options;
  std::string error;  // empty when the command line is good
};

// Parses and checks the command line, sizes included, so that nothing the
// run cannot finish starts.
ParsedOptions ParseRenderOptions(const std::vector<std::string>& arguments);

// "640x480" or "640x480,0x0,320x240"; nullopt when malformed or negative,
// with the reason in error when a number is out of range.
std::optional<std::vector<FrameSize>> ParseSizeList(const std::string& text, std::string& error);

// A frame's pixels live in one block of at most this many bytes (rows of 3
// bytes a pixel, padded to 4), as on the platform.
inline constexpr std::int64_t kLargestFrameBytes = 2147483647;
std::int64_t FrameBytes(FrameSize size);

extern const char* const kRenderUsage;
