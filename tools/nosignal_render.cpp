// nosignal-render: composes the no-signal frames without a display, from the
// same starting state and along the same path as the window, and writes them
// as PNG files and/or a JSON Lines trace.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "core/random_source.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"
#include "platform/soft/text_codepage.h"
#include "tools/frame_png.h"
#include "tools/render_options.h"
#include "tools/trace_json.h"

namespace {

constexpr const char* kProgram = "nosignal-render";

int Fail(const std::string& message) {
  std::cerr << kProgram << ": " << message << '\n';
  return 1;
}

// Creates the folder if needed and makes sure files can be written into it,
// before the first frame is composed.
std::string PrepareFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return "cannot create folder " + folder + ": " + error.message();
  if (!std::filesystem::is_directory(folder)) return folder + " is not a folder";
  if (access(folder.c_str(), W_OK) != 0) return "cannot write into " + folder + ": " + std::strerror(errno);
  return {};
}

std::filesystem::path FramePath(const std::string& folder, std::int64_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05lld.png", static_cast<long long>(number));
  return std::filesystem::path(folder) / name;
}

void RenderFrame(const RenderOptions& options, std::int64_t number) {
  const FrameSize size = options.sizes[static_cast<std::size_t>((number - 1) % static_cast<std::int64_t>(options.sizes.size()))];
  AdvanceCaption();  // every frame is preceded by the caption clock, as in the window
  FrameTrace trace;
  std::unique_ptr<TBitmap> bitmap = BuildFrame(size.width, size.height, options.trace ? &trace : nullptr);
  if (options.png_folder && !bitmap->Empty()) WriteFramePng(*bitmap, FramePath(*options.png_folder, number));
  if (options.trace) {
    std::cout << TraceLine({number, size.width, size.height, soft::Cp1251ToUtf8(CaptionText), RandomState, &trace})
              << '\n' << std::flush;
  }
}

int Render(const RenderOptions& options) {
  if (options.png_folder) {
    if (const std::string problem = PrepareFolder(*options.png_folder); !problem.empty()) return Fail(problem);
  }
  StartRasterModule();
  int status = 0;
  try {
    for (std::int64_t number = 1; number <= options.frames; ++number) RenderFrame(options, number);
  } catch (const Exception& error) {
    status = Fail("cannot compose a frame: " + error.Message());
  } catch (const std::exception& error) {
    status = Fail(error.what());
  }
  StopRasterModule();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedOptions parsed = ParseRenderOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) return Fail(parsed.error);
  if (parsed.options.help) {
    std::cout << kRenderUsage;
    return 0;
  }
  return Render(parsed.options);
}
