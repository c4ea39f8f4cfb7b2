#include "tools/render_options.h"

#include <charconv>
#include <limits>

const char* const kRenderUsage =
    "Usage: nosignal-render [--size WxH[,WxH...]] [--frames N] [--png DIR] [--trace]\n"
    "Composes the no-signal frames headless, from the same starting state as the\n"
    "window, and writes them out.\n"
    "  --size WxH[,WxH...]  frame size; a list is used in turn and repeats\n"
    "                       (default 1024x768; 0 makes an empty frame)\n"
    "  --frames N           how many frames (default 1)\n"
    "  --png DIR            write each frame as DIR/frame-00001.png, ...\n"
    "                       (an empty frame writes no file)\n"
    "  --trace              one JSON object per frame on standard output\n"
    "  --help               this text\n";

namespace {

template <class Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<FrameSize> ParseSize(std::string_view text) {
  const auto cross = text.find('x');
  if (cross == std::string_view::npos) return std::nullopt;
  const auto width = ParseNumber<std::int32_t>(text.substr(0, cross));
  const auto height = ParseNumber<std::int32_t>(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return FrameSize{*width, *height};
}

}  // namespace

std::optional<std::vector<FrameSize>> ParseSizeList(const std::string& text) {
  std::vector<FrameSize> sizes;
  std::string_view rest = text;
  while (true) {
    const auto comma = rest.find(',');
    const auto size = ParseSize(rest.substr(0, comma));
    if (!size) return std::nullopt;
    sizes.push_back(*size);
    if (comma == std::string_view::npos) return sizes;
    rest.remove_prefix(comma + 1);
  }
}

ParsedOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  RenderOptions& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool takes_value = argument == "--size" || argument == "--frames" || argument == "--png";
    if (takes_value && i + 1 == arguments.size()) {
      parsed.error = argument + " needs a value";
      return parsed;
    }
    if (argument == "--help") {
      options.help = true;
    } else if (argument == "--trace") {
      options.trace = true;
    } else if (argument == "--size") {
      const auto sizes = ParseSizeList(arguments[++i]);
      if (!sizes) {
        parsed.error = "malformed size list '" + arguments[i] +
                       "': expected WxH[,WxH...] with whole numbers from 0";
        return parsed;
      }
      options.sizes = *sizes;
    } else if (argument == "--frames") {
      const auto frames = ParseNumber<std::int64_t>(arguments[++i]);
      if (!frames || *frames <= 0) {
        parsed.error = "--frames takes a positive whole number, not '" + arguments[i] + "'";
        return parsed;
      }
      options.frames = *frames;
    } else if (argument == "--png") {
      options.png_folder = arguments[++i];
      if (options.png_folder->empty()) {
        parsed.error = "--png needs a folder";
        return parsed;
      }
    } else {
      parsed.error = "unknown option '" + argument + "' (try --help)";
      return parsed;
    }
  }
  return parsed;
}
