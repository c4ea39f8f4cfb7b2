// nosignal-render: composes the no-signal frames without a display, from the
// same starting state and along the same path as the window, and writes them
// as PNG files, a YUV4MPEG2 video and/or a JSON Lines trace.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <new>
#include <stdexcept>
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
#include "tools/native_files.h"
#include "tools/frame_png.h"
#include "tools/interrupt_cleanup.h"
#include "tools/output_file.h"
#include "tools/partial_file.h"
#include "tools/progress_line.h"
#include "tools/render_options.h"
#include "tools/standard_streams.h"
#include "tools/terminal_text.h"
#include "tools/trace_json.h"
#include "tools/utf8_path.h"
#include "tools/y4m_writer.h"

namespace {

constexpr const char* kProgram = "nosignal-render";

int Fail(const std::string& message, int status = 1) {
  WriteLine(stderr, std::string(kProgram) + ": " + Printable(message));
  return status;
}

// "F is a device, not a folder" for the first part of path that exists and
// is no folder; empty when there is none.
std::string ThingInTheWay(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::path part = path; !part.empty(); part = part.parent_path()) {
    const fs::file_status status = fs::status(part, error);
    if (fs::is_directory(status)) return {};
    if (fs::exists(status)) {
      const char* const kind = fs::is_regular_file(status) ? "a file"
                               : fs::is_fifo(status)        ? "a pipe"
                               : fs::is_character_file(status) || fs::is_block_file(status) ? "a device"
                                                                                             : "something else";
      return Utf8FromPath(part) + " is " + kind + ", not a folder";
    }
    if (part == part.parent_path()) break;
  }
  return {};
}

// Creates the folder if needed and makes sure files can be written into it,
// before the first frame is composed.
std::string PrepareFolder(const std::string& folder) {
  const std::filesystem::path path = PathFromUtf8(folder);
  if (const std::string in_the_way = ThingInTheWay(path); !in_the_way.empty())
    return "cannot create folder " + folder + ": " + in_the_way;
  if (const std::error_code error = MakeFolders(path))
    return "cannot create folder " + folder + ": " + ReasonText(error);
  // Writing a file is the one test of permission that every platform answers
  // truly; the trial file has a name of its own, made afresh.
  try {
    PartialFile::TryFolder(path, "into " + folder);
  } catch (const OutputError& failure) {
    return failure.what();
  }
  return {};
}

std::filesystem::path FramePath(const std::string& folder, std::int64_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05lld.png", static_cast<long long>(number));
  return PathFromUtf8(folder) / name;
}

std::string SizeName(FrameSize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

// Names the frame and the bytes its pixels take, which a memory limit refused.
std::runtime_error ComposeFailure(std::int64_t number, FrameSize size, const std::string& reason) {
  return std::runtime_error("cannot compose frame " + std::to_string(number) + " (" + SizeName(size) + ", " +
                            std::to_string(FrameBytes(size)) + " bytes): " + reason);
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
      video_file_.emplace(PathFromUtf8(*options.y4m_file), *options.y4m_file);
      video_.emplace(video_file_->File(), size.width, size.height);
    }
  }

  void Write(std::int64_t number, FrameSize size, TBitmap& bitmap, const FrameTrace& trace) {
    if (options_.png_folder && !bitmap.Empty()) {
      const std::filesystem::path path = FramePath(*options_.png_folder, number);
      const std::string name = Utf8FromPath(path);
      try {
        WriteFramePng(bitmap, path, name, {options_.png_level, PngFilter::kNone});
      } catch (const std::bad_alloc&) {
        throw std::runtime_error("not enough memory to write " + name + " (" + SizeName(size) + ")");
      }
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
        throw ComposeFailure(number, size, error.Message());
      } catch (const std::bad_alloc&) {
        throw ComposeFailure(number, size, "not enough memory");
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
  InstallInterruptCleanup();
  if (options.png_folder) {
    if (const std::string problem = PrepareFolder(*options.png_folder); !problem.empty()) return Fail(problem);
  }
  StartRasterModule();
  int status = 0;
  try {
    RenderFrames(options);
  } catch (const std::bad_alloc&) {
    status = Fail("not enough memory");
  } catch (const std::exception& error) {
    status = Fail(error.what());
  }
  StopRasterModule();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const StandardStreams streams = ReopenClosedStandardStreams();
  if (streams.reopen_failed) return Fail("cannot open the null device in place of a closed standard descriptor");
  const ParsedOptions parsed = ParseRenderOptions(Utf8Arguments(argc, argv));
  if (!parsed.error.empty()) return Fail(parsed.error);
  const RenderOptions& options = parsed.options;
  const bool writes_output = options.help || options.version || options.trace || options.y4m_file == "-";
  // Descriptor 1 now leads nowhere: what was meant for it would be lost.
  if (streams.output_closed && writes_output)
    return Fail("cannot write standard output: " + ReasonText({EBADF, std::generic_category()}));
  if (options.help || options.version) {
    std::cout << (options.help ? kRenderUsage : "nosignal-render " NOSIGNAL_VERSION "\n") << std::flush;
    return std::cout ? 0 : Fail("cannot write standard output");
  }
  if (!options.trace && !options.png_folder && !options.y4m_file)
    return Fail("nothing to write: give --png DIR, --y4m FILE or --trace (see --help)", 2);
  return Render(options);
}
