#include "tools/progress_line.h"

#include <cmath>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

std::string Duration(double seconds) {
  const auto whole = static_cast<long long>(std::llround(seconds));
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  }
  return text;
}

}  // namespace

std::FILE* ProgressTerminal(bool text_on_stdout) {
#if defined(_WIN32)
  const bool error_terminal = _isatty(_fileno(stderr)), output_terminal = _isatty(_fileno(stdout));
#else
  const bool error_terminal = isatty(STDERR_FILENO), output_terminal = isatty(STDOUT_FILENO);
#endif
  return error_terminal && !(text_on_stdout && output_terminal) ? stderr : nullptr;
}

ProgressLine::ProgressLine(std::FILE* terminal, std::int64_t total, Clock::time_point start)
    : terminal_(terminal), total_(total), start_(start), last_drawn_(start) {}

std::string ProgressLine::Text(std::int64_t done, std::int64_t total, double elapsed, bool final) {
  const double fps = elapsed > 0 ? static_cast<double>(done) / elapsed : 0;
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.1f", fps);
  std::string text = std::to_string(done) + "/" + std::to_string(total) + " frames, " + rate + " fps, ";
  if (final) return text + Duration(elapsed) + " in all";
  if (fps <= 0) return text + "time left unknown";
  return text + Duration(static_cast<double>(total - done) / fps) + " left";
}

void ProgressLine::Update(std::int64_t done, Clock::time_point now) {
  if (terminal_ == nullptr || now - last_drawn_ < kRedrawInterval) return;
  last_drawn_ = now;
  Draw(Text(done, total_, std::chrono::duration<double>(now - start_).count(), false));
}

void ProgressLine::Finish(std::int64_t done, Clock::time_point now) {
  if (terminal_ == nullptr) return;
  Draw(Text(done, total_, std::chrono::duration<double>(now - start_).count(), true));
  std::fputc('\n', terminal_);
  drawn_length_ = 0;
}

void ProgressLine::Abandon() {
  if (terminal_ == nullptr || drawn_length_ == 0) return;
  std::fputc('\n', terminal_);
  drawn_length_ = 0;
}

// Back to the line's start and over the old text; spaces clear what a longer
// old text leaves, on any terminal.
void ProgressLine::Draw(const std::string& text) {
  std::string line = "\rnosignal-render: " + text;
  const std::size_t length = line.size();
  if (length < drawn_length_) line.append(drawn_length_ - length, ' ');
  drawn_length_ = length;
  std::fputs(line.c_str(), terminal_);
  std::fflush(terminal_);
}
