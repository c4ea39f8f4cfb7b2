#include "platform/soft/text/text_glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <numbers>
#include <unordered_map>

namespace soft {
namespace {

// Beyond this many entries a map is emptied and refilled: cheaper than
// tracking use, and a caption needs only a few dozen glyphs.
constexpr std::size_t kMaxEntries = 8192;

struct GlyphKey {
  int face = 0;
  int em_pixels = 0;
  unsigned glyph = 0;
  int escapement = 0;
  bool operator==(const GlyphKey&) const = default;
};

struct GlyphKeyHash {
  std::size_t operator()(const GlyphKey& key) const {
    std::size_t hash = static_cast<std::size_t>(key.face);
    for (std::size_t part : {std::size_t(key.em_pixels), std::size_t(key.glyph),
                             std::size_t(key.escapement)}) {
      hash = hash * 1000003u ^ part;
    }
    return hash;
  }
};

FT_Pos BoldStrength(int em_pixels) { return std::max<FT_Pos>(64, FT_Pos{em_pixels} * 64 / 24); }

int BoldExtraPixels(int em_pixels) { return static_cast<int>((BoldStrength(em_pixels) + 32) >> 6); }

FT_Matrix Rotation(int escapement) {
  const double angle = escapement * std::numbers::pi / 1800.0;
  const auto fixed = [](double value) { return static_cast<FT_Fixed>(std::lround(value * 65536.0)); };
  // FreeType's y axis points up, so this turns counter-clockwise on the screen too.
  return FT_Matrix{fixed(std::cos(angle)), fixed(-std::sin(angle)), fixed(std::sin(angle)),
                   fixed(std::cos(angle))};
}

void Synthesize(FT_Outline& outline, const Face& face, int em_pixels) {
  if (face.synthetic_bold()) FT_Outline_EmboldenXY(&outline, BoldStrength(em_pixels), 0);
  if (face.synthetic_italic()) {
    FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // a slant of about 12 degrees
    FT_Outline_Transform(&outline, &shear);
  }
}

std::shared_ptr<GlyphImage> CopyBitmap(const FT_GlyphSlotRec& slot) {
  auto image = std::make_shared<GlyphImage>();
  const FT_Bitmap& bitmap = slot.bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.pitch <= 0) return image;
  image->left = slot.bitmap_left;
  image->top = slot.bitmap_top;
  image->width = static_cast<int>(bitmap.width);
  image->height = static_cast<int>(bitmap.rows);
  image->coverage.resize(static_cast<std::size_t>(image->width) * image->height);
  for (int row = 0; row < image->height; ++row) {
    std::memcpy(&image->coverage[static_cast<std::size_t>(row) * image->width],
                bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch, image->width);
  }
  return image;
}

int LoadAdvance(Face& face, int em_pixels, unsigned glyph) {
  Face::Access access(face);
  if (!access.SetPixelSize(em_pixels)) return 0;
  if (FT_Load_Glyph(access.ft(), glyph, FT_LOAD_NO_BITMAP) != 0) return 0;
  int advance = static_cast<int>((access.ft()->glyph->advance.x + 32) >> 6);
  if (face.synthetic_bold()) advance += BoldExtraPixels(em_pixels);
  return advance;
}

std::shared_ptr<const GlyphImage> Render(Face& face, int em_pixels, unsigned glyph, int escapement) {
  Face::Access access(face);
  if (!access.SetPixelSize(em_pixels) ||
      FT_Load_Glyph(access.ft(), glyph, FT_LOAD_NO_BITMAP) != 0 ||
      access.ft()->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return std::make_shared<GlyphImage>();
  }
  FT_GlyphSlot slot = access.ft()->glyph;
  Synthesize(slot->outline, face, em_pixels);
  if (escapement != 0) {
    FT_Matrix rotation = Rotation(escapement);
    FT_Outline_Transform(&slot->outline, &rotation);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return std::make_shared<GlyphImage>();
  return CopyBitmap(*slot);
}

class GlyphCache {
 public:
  int Advance(Face& face, int em_pixels, unsigned glyph) {
    const GlyphKey key{face.id(), em_pixels, glyph, 0};
    {
      std::lock_guard lock(mutex_);
      auto known = advances_.find(key);
      if (known != advances_.end()) return known->second;
    }
    // Loaded without holding the cache, so other faces are not held up.
    const int advance = LoadAdvance(face, em_pixels, glyph);
    std::lock_guard lock(mutex_);
    ++counters_.advances_loaded;
    if (advances_.size() >= kMaxEntries) advances_.clear();
    advances_.emplace(key, advance);
    return advance;
  }

  std::shared_ptr<const GlyphImage> Image(Face& face, int em_pixels, unsigned glyph, int escapement) {
    const GlyphKey key{face.id(), em_pixels, glyph, escapement};
    {
      std::lock_guard lock(mutex_);
      auto known = images_.find(key);
      if (known != images_.end()) return known->second;
    }
    std::shared_ptr<const GlyphImage> image = Render(face, em_pixels, glyph, escapement);
    std::lock_guard lock(mutex_);
    ++counters_.images_rendered;
    if (images_.size() >= kMaxEntries) images_.clear();
    images_.emplace(key, image);
    return image;
  }

  GlyphCacheCounters counters() {
    std::lock_guard lock(mutex_);
    return counters_;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<GlyphKey, int, GlyphKeyHash> advances_;
  std::unordered_map<GlyphKey, std::shared_ptr<const GlyphImage>, GlyphKeyHash> images_;
  GlyphCacheCounters counters_;
};

// Never destroyed: the animation thread may still draw while the process exits.
GlyphCache& Cache() {
  static GlyphCache* const cache = new GlyphCache;
  return *cache;
}

}  // namespace

int NormalEscapement(long escapement) { return static_cast<int>((escapement % 3600 + 3600) % 3600); }

int GlyphAdvance(Face& face, int em_pixels, unsigned glyph) {
  return Cache().Advance(face, em_pixels, glyph);
}

std::shared_ptr<const GlyphImage> GlyphBitmap(Face& face, int em_pixels, unsigned glyph,
                                              int escapement) {
  return Cache().Image(face, em_pixels, glyph, NormalEscapement(escapement));
}

GlyphCacheCounters GlyphCounters() { return Cache().counters(); }

}  // namespace soft
