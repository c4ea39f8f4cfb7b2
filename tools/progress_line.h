// The progress of a long run on a terminal: frames done, frames per second
// and the time left, redrawn in place a few times a second, ending in a
// final line of its own.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

class ProgressLine {
 public:
  using Clock = std::chrono::steady_clock;

  // terminal is where the line goes (standard error), or nullptr for none.
  ProgressLine(std::FILE* terminal, std::int64_t total, Clock::time_point start);

  // After each frame; redraws when a quarter of a second has passed.
  void Update(std::int64_t done, Clock::time_point now);
  // The final line, with the run's total time.
  void Finish(std::int64_t done, Clock::time_point now);
  // Ends a drawn line, so that an error message starts on a line of its own.
  void Abandon();

  // The text of the line, for done frames after elapsed seconds.
  static std::string Text(std::int64_t done, std::int64_t total, double elapsed, bool final);

 private:
  void Draw(const std::string& text);

  std::FILE* terminal_;
  std::int64_t total_;
  Clock::time_point start_, last_drawn_;
  std::size_t drawn_length_ = 0;
};

// Standard error, when it is a terminal that the progress line may have to
// itself: not when standard output writes text to the same terminal.
std::FILE* ProgressTerminal(bool text_on_stdout);
