#include "tools/render_options.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <limits>

#include "tools/png_encoder.h"

const char* const kRenderUsage =
    "Usage: nosignal-render [OPTION]...\n"
    "Composes the no-signal frames headless, from the same starting state as the\n"
    "window, and writes them out.\n"
    "  --size WxH[,WxH...]  frame size; a list is used in turn and repeats\n"
    "                       (default 1024x768; 0 makes an empty frame)\n"
    "  --frames N           how many frames (default 1)\n"
    "  --png DIR            write each frame as DIR/frame-00001.png, ...\n"
    "                       (an empty frame writes no file)\n"
    "  --png-level N        PNG compression from 0 (none) to 9 (smallest, slowest);\n"
    "                       default 1, the fastest for static\n"
    "  --y4m FILE           write the frames as a YUV4MPEG2 video at 20 frames a\n"
    "                       second to FILE, or to standard output for '-'; every\n"
    "                       frame must have the first frame's size; 4:2:0 in\n"
    "                       BT.601 full range: grey g is Y=g, U=V=128 exactly\n"
    "  --trace              one JSON object per frame on standard output\n"
    "  --quiet              no progress line on a terminal\n"
    "  --version            the version number\n"
    "  --help               this text\n"
    "Exit status: 0 when every frame was written; 1 when the command line is refused\n"
    "or an output fails (the message names the file and the system's reason); 2 when\n"
    "there is nothing to write (no --png, --y4m or --trace).\n";

namespace {

// A whole number from 0, or why not: its digits are fine but it is too large.
template <class Number>
struct ParsedNumber {
  std::optional<Number> value;
  bool too_large = false;
};

template <class Number>
ParsedNumber<Number> ParseNumber(std::string_view text) {
  Number value{};
  if (text.empty() || text.front() == '-' || text.front() == '+') return {};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return {};
  if (error == std::errc::result_out_of_range) return {std::nullopt, true};
  if (error != std::errc{}) return {};
  return {value};
}

template <class Number>
std::string TooLarge(std::string_view what, std::string_view text) {
  return std::string(what) + " '" + std::string(text) + "' is out of range (at most " +
         std::to_string(std::numeric_limits<Number>::max()) + ")";
}

// A size, or nullopt with the reason in error when out of range.
std::optional<FrameSize> ParseSize(std::string_view text, std::string& error) {
  const auto cross = text.find('x');
  if (cross == std::string_view::npos) return std::nullopt;
  const auto width = ParseNumber<std::int32_t>(text.substr(0, cross));
  const auto height = ParseNumber<std::int32_t>(text.substr(cross + 1));
  if (width.too_large) error = TooLarge<std::int32_t>("the width", text.substr(0, cross));
  if (height.too_large) error = TooLarge<std::int32_t>("the height", text.substr(cross + 1));
  if (!width.value || !height.value) return std::nullopt;
  return FrameSize{*width.value, *height.value};
}

std::string Name(FrameSize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

// Only the sizes that frames will have.
std::vector<FrameSize> UsedSizes(const RenderOptions& options) {
  const auto used =
      static_cast<std::size_t>(std::min<std::int64_t>(options.frames, static_cast<std::int64_t>(options.sizes.size())));
  return {options.sizes.begin(), options.sizes.begin() + static_cast<std::ptrdiff_t>(used)};
}

std::string CheckSizes(const RenderOptions& options) {
  const std::vector<FrameSize> sizes = UsedSizes(options);
  for (const FrameSize size : sizes) {
    if (FrameBytes(size) > kLargestFrameBytes) {
      return "a frame of " + Name(size) + " needs " + std::to_string(FrameBytes(size)) + " bytes, over the limit of " +
             std::to_string(kLargestFrameBytes) + " bytes (2 GiB) a frame";
    }
    if (options.png_folder && (size.width > kPngLargestSide || size.height > kPngLargestSide)) {
      return "--png writes frames of up to " + std::to_string(kPngLargestSide) + " pixels a side, not " + Name(size);
    }
  }
  if (!options.y4m_file) return {};
  const FrameSize first = sizes.front();
  if (first.width == 0 || first.height == 0)
    return "--y4m cannot start a video with an empty frame (" + Name(first) + ")";
  for (const FrameSize size : sizes) {
    if (!(size == first)) {
      return "--y4m needs every frame at the first frame's size " + Name(first) + ", not " + Name(size);
    }
  }
  if (*options.y4m_file == "-" && options.trace) return "--trace and --y4m - cannot share standard output";
  return {};
}

}  // namespace

FrameSize RenderOptions::SizeOf(std::int64_t number) const {
  return sizes[static_cast<std::size_t>((number - 1) % static_cast<std::int64_t>(sizes.size()))];
}

std::int64_t FrameBytes(FrameSize size) {
  const std::int64_t stride = (std::int64_t{size.width} * 3 + 3) / 4 * 4;
  return stride * size.height;
}

std::optional<std::vector<FrameSize>> ParseSizeList(const std::string& text, std::string& error) {
  std::vector<FrameSize> sizes;
  std::string_view rest = text;
  while (true) {
    const auto comma = rest.find(',');
    const auto size = ParseSize(rest.substr(0, comma), error);
    if (!size) return std::nullopt;
    sizes.push_back(*size);
    if (comma == std::string_view::npos) return sizes;
    rest.remove_prefix(comma + 1);
  }
}

namespace {

// One option with its value, if it takes one; an error text or empty.
std::string ParseOne(const std::string& argument, const std::string& value, RenderOptions& options) {
  if (argument == "--size") {
    std::string range_error;
    const auto sizes = ParseSizeList(value, range_error);
    if (!range_error.empty()) return "--size: " + range_error;
    if (!sizes) return "malformed size list '" + value + "': expected WxH[,WxH...] with whole numbers from 0";
    options.sizes = *sizes;
  } else if (argument == "--frames") {
    const auto frames = ParseNumber<std::int64_t>(value);
    if (frames.too_large) return "--frames: " + TooLarge<std::int64_t>("the number", value);
    if (!frames.value || *frames.value <= 0) return "--frames takes a positive whole number, not '" + value + "'";
    options.frames = *frames.value;
  } else if (argument == "--png") {
    if (value.empty()) return "--png needs a folder";
    options.png_folder = value;
  } else if (argument == "--png-level") {
    const auto level = ParseNumber<int>(value).value;
    if (!level || *level > 9) return "--png-level takes a whole number from 0 to 9, not '" + value + "'";
    options.png_level = *level;
  } else if (argument == "--y4m") {
    if (value.empty()) return "--y4m needs a file name, or - for standard output";
    options.y4m_file = value;
  }
  return {};
}

}  // namespace

ParsedOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  RenderOptions& options = parsed.options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool takes_value = argument == "--size" || argument == "--frames" || argument == "--png" ||
                             argument == "--png-level" || argument == "--y4m";
    if (takes_value && i + 1 == arguments.size()) {
      parsed.error = argument + " needs a value";
      return parsed;
    }
    if (takes_value) {
      parsed.error = ParseOne(argument, arguments[++i], options);
    } else if (argument == "--help") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--trace") {
      options.trace = true;
    } else if (argument == "--quiet") {
      options.quiet = true;
    } else {
      parsed.error = "unknown option '" + argument + "' (try --help)";
    }
    if (!parsed.error.empty()) return parsed;
  }
  if (!options.help && !options.version) parsed.error = CheckSizes(options);
  return parsed;
}
