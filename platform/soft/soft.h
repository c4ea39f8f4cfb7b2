// What the software platform tells tests and tools about itself. Not part of
// the Win32 subset.
#pragma once

namespace soft {

struct LiveCounts {
  int pens = 0;
  int brushes = 0;
  int fonts = 0;
  int bitmaps = 0;
  int dcs = 0;
  int windows = 0;
  int Total() const { return pens + brushes + fonts + bitmaps + dcs + windows; }
  bool operator==(const LiveCounts&) const = default;
};

// Objects alive in the handle table, stock objects not counted.
LiveCounts CountLive();

// How often an object was deleted while still selected into a context (the
// deletion is refused), or another misuse was seen.
long MisuseCount();

}  // namespace soft
