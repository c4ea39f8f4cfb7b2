#include "shell/pointer_watch.h"

#include <cstdlib>

bool PointerWatch::MovedAway(int x, int y) {
  if (!rest_) {
    rest_ = Position{x, y};
    return false;
  }
  return std::abs(x - rest_->x) > kThreshold || std::abs(y - rest_->y) > kThreshold;
}
