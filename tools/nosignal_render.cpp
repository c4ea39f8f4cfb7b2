// nosignal-render: composes the no-signal frames without a display, from the
// same starting state and along the same path as the window, and writes them
// as PNG files, a YUV4MPEG2 video and/or a JSON Lines trace.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/caption_schedule.h"
#include "core/frame_composer.h"
#include "core/random_source.h"
#include "nosignal_version.h"
#include "raster/exceptions.h"
#include "raster/raster_module.h"
#include "tools/code_page.h"
#include "tools/frame_png.h"
#include "tools/interrupt_cleanup.h"
#include "tools/output_file.h"
#include "tools/partial_file.h"
#include "tools/progress_line.h"
#include "tools/render_options.h"
#include "tools/trace_json.h"
#include "tools/y4m_writer.h"

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

// Where the frames go: standard output for the trace (or the video), the
// video file, the PNG folder.
class FrameOutputs {
 public:
  explicit FrameOutputs(const RenderOptions& options)
      : options_(options), out_(OutputFile::StandardOutput(VideoOnStdout())) {
    if (!options.y4m_file) return;
    const FrameSize size = options.SizeOf(1);
    if (VideoOnStdout()) {
      video_.emplace(out_, size.width, size.height);
    } else {
      video_file_.emplace(*options.y4m_file, *options.y4m_file);
      video_.emplace(video_file_->File(), size.width, size.height);
    }
  }

  void Write(std::int64_t number, FrameSize size, TBitmap& bitmap, const FrameTrace& trace) {
    if (options_.png_folder && !bitmap.Empty()) {
      const std::filesystem::path path = FramePath(*options_.png_folder, number);
      WriteFramePng(bitmap, path, path.string(), {options_.png_level, PngFilter::kNone});
    }
    if (video_) video_->WriteFrame(PictureOf(bitmap));
    if (options_.trace) {
      const std::string line =
          TraceLine({number, size.width, size.height, Utf8FromCp1251(CaptionText), RandomState, &trace}) + '\n';
      out_.Write(line.data(), line.size());
    }
    if (options_.trace || VideoOnStdout()) out_.Flush();
  }

  void Finish() {
    if (video_file_) video_file_->Commit();
    out_.Flush();
  }

 private:
  bool VideoOnStdout() const { return options_.y4m_file == "-"; }

  const RenderOptions& options_;
  OutputFile out_;
  std::optional<PartialFile> video_file_;
  std::optional<Y4mWriter> video_;
};

void RenderFrames(const RenderOptions& options) {
  FrameOutputs outputs(options);
  ProgressLine progress(options.quiet ? nullptr : ProgressTerminal(options.trace), options.frames,
                        ProgressLine::Clock::now());
  try {
    for (std::int64_t number = 1; number <= options.frames; ++number) {
      const FrameSize size = options.SizeOf(number);
      AdvanceCaption();  // every frame is preceded by the caption clock, as in the window
      FrameTrace trace;
      std::unique_ptr<TBitmap> bitmap;
      try {
        bitmap = BuildFrame(size.width, size.height, options.trace ? &trace : nullptr);
      } catch (const Exception& error) {
        throw std::runtime_error("cannot compose frame " + std::to_string(number) + " (" + std::to_string(size.width) +
                                 "x" + std::to_string(size.height) + "): " + error.Message());
      }
      outputs.Write(number, size, *bitmap, trace);
      progress.Update(number, ProgressLine::Clock::now());
    }
    outputs.Finish();
  } catch (...) {
    progress.Abandon();
    throw;
  }
  progress.Finish(options.frames, ProgressLine::Clock::now());
}

int Render(const RenderOptions& options) {
  if (options.png_folder) {
    if (const std::string problem = PrepareFolder(*options.png_folder); !problem.empty()) return Fail(problem);
  }
  InstallInterruptCleanup();
  StartRasterModule();
  int status = 0;
  try {
    RenderFrames(options);
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
  if (parsed.options.help || parsed.options.version) {
    std::cout << (parsed.options.help ? kRenderUsage : "nosignal-render " NOSIGNAL_VERSION "\n") << std::flush;
    return std::cout ? 0 : Fail("cannot write standard output");
  }
  return Render(parsed.options);
}
