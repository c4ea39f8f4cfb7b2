#include "platform/soft/text/text_font.h"

namespace soft {

std::optional<ResolvedFont> ResolveFont(const LOGFONTA& font) {
  std::shared_ptr<Face> face = ResolveFace(FaceRequest::For(font));
  if (face == nullptr) return std::nullopt;
  const int em_pixels = EmPixelsFor(face->design(), font.lfHeight);
  return ResolvedFont{face, ScaleMetrics(face->design(), em_pixels)};
}

}  // namespace soft
