// nosignal-render: composes the no-signal frames without a display, from the
// same starting state and along the same path as the window, and writes them
// as PNG files and/or a JSON Lines trace.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "core/random_source.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"
#include "tools/code_page.h"
#include "tools/frame_png.h"
#include "tools/output_file.h"
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
  // Writing a file is the one test of permission that every platform answers truly.
  const std::filesystem::path probe = std::filesystem::path(folder) / ".nosignal-render-probe";
  try {
    OutputFile(probe, "into " + folder).Close();
  } catch (const OutputError& failure) {
    std::filesystem::remove(probe, error);
    return failure.what();
  }
  std::filesystem::remove(probe, error);
  return {};
}

std::filesystem::path FramePath(const std::string& folder, std::int64_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05lld.png", static_cast<long long>(number));
  return std::filesystem::path(folder) / name;
}

void RenderFrame(const RenderOptions& options, std::int64_t number, OutputFile& out) {
  const FrameSize size = options.sizes[static_cast<std::size_t>((number - 1) % static_cast<std::int64_t>(options.sizes.size()))];
  AdvanceCaption();  // every frame is preceded by the caption clock, as in the window
  FrameTrace trace;
  std::unique_ptr<TBitmap> bitmap = BuildFrame(size.width, size.height, options.trace ? &trace : nullptr);
  if (options.png_folder && !bitmap->Empty()) {
    const std::filesystem::path path = FramePath(*options.png_folder, number);
    WriteFramePng(*bitmap, path, path.string());
  }
  if (options.trace) {
    const std::string line =
        TraceLine({number, size.width, size.height, Utf8FromCp1251(CaptionText), RandomState, &trace}) + '\n';
    out.Write(line.data(), line.size());
    out.Flush();
  }
}

int Render(const RenderOptions& options) {
  if (options.png_folder) {
    if (const std::string problem = PrepareFolder(*options.png_folder); !problem.empty()) return Fail(problem);
  }
  StartRasterModule();
  int status = 0;
  try {
    OutputFile out = OutputFile::StandardOutput(false);
    for (std::int64_t number = 1; number <= options.frames; ++number) RenderFrame(options, number, out);
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
