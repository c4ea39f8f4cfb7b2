// Tells a user's mouse movement from the moves the desktop reports on its
// own when the screensaver's windows appear under a pointer that stands
// still: the first position reported is taken as where the pointer rests,
// and only a movement of more than a few pixels away from it counts.
#pragma once

#include <optional>

class PointerWatch {
 public:
  static constexpr int kThreshold = 5;

  // Given the pointer's position in screen coordinates, at each move: true
  // once it is more than kThreshold pixels from where it was first seen, in
  // either direction.
  bool MovedAway(int x, int y);

 private:
  struct Position {
    int x, y;
  };
  std::optional<Position> rest_;
};
