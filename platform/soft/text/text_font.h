// A font description resolved to a loaded face and its size in pixels.
#pragma once

#include <memory>
#include <optional>

#include "platform/soft/text/text_faces.h"
#include "platform/soft/text/text_metrics.h"
#include "platform/win32.h"

namespace soft {

struct ResolvedFont {
  std::shared_ptr<Face> face;
  FontMetrics metrics;
};

// nullopt only when the system has no usable face at all.
std::optional<ResolvedFont> ResolveFont(const LOGFONTA& font);

}  // namespace soft
