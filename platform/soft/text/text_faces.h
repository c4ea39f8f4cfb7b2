// Loaded font faces and the cache that maps a font description to one.
// The program makes two fonts every frame; after the first time, resolving
// a description costs a map look-up: no fontconfig query, no file open.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/soft/text/text_lookup.h"
#include "platform/win32.h"

struct FT_FaceRec_;  // FreeType's face, kept out of this header's users

namespace soft {

// The face's own measurements in font units, read once when it is loaded.
struct FaceDesign {
  int units_per_em = 0;
  int ascent = 0;    // above the baseline, positive
  int descent = 0;   // below the baseline, positive
  int line_gap = 0;  // extra spacing the font asks for between lines
  int average_width = 0;
  int max_advance = 0;
  int underline_position = 0;  // of the bar's centre, above the baseline (so usually negative)
  int underline_thickness = 0;
  int strikeout_position = 0;  // of the bar's top edge, above the baseline
  int strikeout_thickness = 0;
  bool fixed_pitch = false;
  bool outline_sfnt = false;   // a TrueType or OpenType file
};

class Face {
 public:
  // Bold or italic asked of a file that is neither is made up when drawing.
  Face(FT_FaceRec_* face, FontFileMatch match, bool bold, bool italic);
  ~Face();
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;

  const FaceDesign& design() const { return design_; }
  const FontFileMatch& match() const { return match_; }
  bool synthetic_bold() const { return synthetic_bold_; }
  bool synthetic_italic() const { return synthetic_italic_; }
  int id() const { return id_; }

  // Glyph indices for the code points (0 where the face has no glyph).
  std::vector<unsigned> GlyphIndices(std::u32string_view text);

  // Exclusive use of the FreeType face, which is not thread-safe.
  class Access {
   public:
    explicit Access(Face& face) : face_(face), lock_(face.mutex_) {}
    FT_FaceRec_* ft() const { return face_.face_; }
    // Scales the face to em_pixels unless it already is: rescaling makes
    // FreeType rerun the font's size program.
    bool SetPixelSize(int em_pixels);

   private:
    Face& face_;
    std::unique_lock<std::mutex> lock_;
  };

 private:
  FT_FaceRec_* const face_;
  const FontFileMatch match_;
  const FaceDesign design_;
  const bool synthetic_bold_;
  const bool synthetic_italic_;
  const int id_;
  std::mutex mutex_;
  int pixel_size_ = 0;
};

// What a LOGFONTA asks of a face: its name (in the code page), bold from
// weight 600 up, italic.
struct FaceRequest {
  std::string name;
  bool bold = false;
  bool italic = false;

  static FaceRequest For(const LOGFONTA& font);
  bool operator==(const FaceRequest&) const = default;
};

// The face for a request, or nullptr when the system has no usable face at
// all. A face name the system does not have falls back to its sans face.
// Thread-safe; faces live until the process ends.
std::shared_ptr<Face> ResolveFace(const FaceRequest& request);

// How often the cache was asked, queried fontconfig and opened a file.
struct FaceCacheCounters {
  long resolves = 0;
  long fontconfig_queries = 0;
  long files_opened = 0;
};
FaceCacheCounters FaceCounters();

}  // namespace soft
