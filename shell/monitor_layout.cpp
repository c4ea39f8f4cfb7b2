#include "shell/monitor_layout.h"

namespace {

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

bool Contains(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The monitor that covers monitors[index]: itself, unless another lies
// around it (of equal ones, the first).
std::size_t CoveringMonitor(const std::vector<MonitorArea>& monitors, std::size_t index) {
  const RECT& rect = monitors[index].rect;
  for (std::size_t other = 0; other < monitors.size(); ++other) {
    if (other == index || IsEmpty(monitors[other].rect) || !Contains(monitors[other].rect, rect)) continue;
    if (!SameRect(monitors[other].rect, rect) || other < index) return CoveringMonitor(monitors, other);
  }
  return index;
}

}  // namespace

std::vector<SaverWindowPlace> PlaceSaverWindows(const std::vector<MonitorArea>& monitors) {
  std::vector<std::size_t> kept;
  std::size_t animated = monitors.size();
  for (std::size_t index = 0; index < monitors.size(); ++index) {
    if (IsEmpty(monitors[index].rect)) continue;
    const std::size_t cover = CoveringMonitor(monitors, index);
    if (cover == index) kept.push_back(index);
    if (monitors[index].primary && animated == monitors.size()) animated = cover;
  }
  if (kept.empty()) return {};
  if (animated == monitors.size()) animated = kept.front();  // no primary given: the first
  std::vector<SaverWindowPlace> places{{monitors[animated].rect, true}};
  for (const std::size_t index : kept) {
    if (index != animated) places.push_back({monitors[index].rect, false});
  }
  return places;
}
