#include "platform/soft/text/text_faces.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <tuple>

#include "platform/soft/text/text_codepage.h"

namespace soft {
namespace {

// The font library every face is opened with, and what goes with it.
struct FaceLibrary {
  // FreeType allows faces of one library to be used on several threads, but
  // not opening and closing them concurrently: the mutex guards that.
  std::mutex mutex;
  FT_Library const library = [] {
    FT_Library made = nullptr;
    return FT_Init_FreeType(&made) == 0 ? made : nullptr;
  }();  // nullptr when the library would not start
  std::atomic<int> next_face_id{1};
};

// Made once and never released: the animation thread may still be drawing
// text while the process exits.
FaceLibrary& Library() {
  static FaceLibrary* const library = new FaceLibrary;
  return *library;
}

FaceDesign ReadDesign(FT_Face face) {
  FaceDesign design;
  design.units_per_em = face->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const bool has_os2 = os2 != nullptr && os2->version != 0xFFFF;
  if (has_os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    design.ascent = os2->usWinAscent;
    design.descent = os2->usWinDescent;
  } else if (face->ascender - face->descender > 0) {
    design.ascent = face->ascender;
    design.descent = -face->descender;
  } else {
    design.ascent = static_cast<int>(face->bbox.yMax);
    design.descent = static_cast<int>(-face->bbox.yMin);
  }
  design.line_gap = std::max(0, face->height - (design.ascent + design.descent));
  design.max_advance = face->max_advance_width;
  design.average_width =
      has_os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : design.max_advance / 2;
  design.underline_position = face->underline_position;
  design.underline_thickness =
      face->underline_thickness > 0 ? face->underline_thickness : design.units_per_em / 20;
  if (has_os2 && os2->yStrikeoutSize > 0) {
    design.strikeout_position = os2->yStrikeoutPosition;
    design.strikeout_thickness = os2->yStrikeoutSize;
  } else {
    design.strikeout_position = design.units_per_em * 3 / 10;
    design.strikeout_thickness = design.underline_thickness;
  }
  design.fixed_pitch = FT_IS_FIXED_WIDTH(face);
  design.outline_sfnt = FT_IS_SFNT(face);
  return design;
}

// The file's own weight, not what fontconfig reports for the request: its
// configuration may already have promised a synthetic bold.
bool FileIsBold(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) return os2->usWeightClass >= 600;
  return (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
}

bool FileIsItalic(FT_Face face) { return (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0; }

std::string AsciiLowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

class FaceCache {
 public:
  std::shared_ptr<Face> Resolve(const FaceRequest& request) {
    std::lock_guard lock(mutex_);
    ++counters_.resolves;
    const RequestKey key{request.name, request.bold, request.italic};
    auto known = by_request_.find(key);
    if (known != by_request_.end()) return known->second;
    std::shared_ptr<Face> face = Find(Cp1251ToUtf8(request.name), request);
    if (face == nullptr) face = Find("sans-serif", request);  // the named face would not load
    if (face == nullptr) TellNoFont();
    by_request_.emplace(key, face);
    return face;
  }

  FaceCacheCounters counters() {
    std::lock_guard lock(mutex_);
    return counters_;
  }

 private:
  using RequestKey = std::tuple<std::string, bool, bool>;
  using FileKey = std::tuple<std::string, int, bool, bool>;

  std::shared_ptr<Face> Find(const std::string& family, const FaceRequest& request) {
    ++counters_.fontconfig_queries;
    std::optional<FontFileMatch> match = MatchFontFile(family, request.bold, request.italic);
    if (!match) return nullptr;
    const FileKey key{match->path, match->index, request.bold, request.italic};
    auto open = by_file_.find(key);
    if (open != by_file_.end()) return open->second;
    std::shared_ptr<Face> face = Open(*match, request);
    if (face != nullptr) by_file_.emplace(key, face);
    return face;
  }

  // Text without any face draws nothing and measures nothing: say so, once.
  void TellNoFont() {
    if (told_no_font_) return;
    told_no_font_ = true;
    std::fprintf(stderr, "%s: warning: no usable font (fontconfig finds no scalable face); text is not drawn\n",
                 program_invocation_short_name);
    std::fflush(stderr);
  }

  std::shared_ptr<Face> Open(const FontFileMatch& match, const FaceRequest& request) {
    FaceLibrary& library = Library();
    std::lock_guard lock(library.mutex);
    if (library.library == nullptr) return nullptr;
    ++counters_.files_opened;
    FT_Face face = nullptr;
    if (FT_New_Face(library.library, match.path.c_str(), match.index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
      FT_Done_Face(face);
      return nullptr;
    }
    return std::make_shared<Face>(face, match, request.bold, request.italic);
  }

  std::mutex mutex_;  // guards everything below; taken before the library's
  std::map<RequestKey, std::shared_ptr<Face>> by_request_;
  std::map<FileKey, std::shared_ptr<Face>> by_file_;
  FaceCacheCounters counters_;
  bool told_no_font_ = false;
};

// Never destroyed, for the same reason as the library.
FaceCache& Cache() {
  static FaceCache* const cache = new FaceCache;
  return *cache;
}

}  // namespace

Face::Face(FT_FaceRec_* face, FontFileMatch match, bool bold, bool italic)
    : face_(face),
      match_(std::move(match)),
      design_(ReadDesign(face)),
      synthetic_bold_(bold && !FileIsBold(face)),
      synthetic_italic_(italic && !FileIsItalic(face)),
      id_(Library().next_face_id++) {}

Face::~Face() {
  std::lock_guard lock(Library().mutex);
  FT_Done_Face(face_);
}

std::vector<unsigned> Face::GlyphIndices(std::u32string_view text) {
  Access access(*this);
  std::vector<unsigned> glyphs;
  glyphs.reserve(text.size());
  for (char32_t code : text) glyphs.push_back(FT_Get_Char_Index(access.ft(), code));
  return glyphs;
}

bool Face::Access::SetPixelSize(int em_pixels) {
  if (face_.pixel_size_ == em_pixels) return true;
  if (FT_Set_Pixel_Sizes(face_.face_, 0, static_cast<FT_UInt>(em_pixels)) != 0) return false;
  face_.pixel_size_ = em_pixels;
  return true;
}

FaceRequest FaceRequest::For(const LOGFONTA& font) {
  FaceRequest request;
  // Face names are matched without regard to letter case.
  request.name = AsciiLowercase(std::string_view(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)));
  request.bold = font.lfWeight >= 600;
  request.italic = font.lfItalic != 0;
  return request;
}

std::shared_ptr<Face> ResolveFace(const FaceRequest& request) { return Cache().Resolve(request); }

FaceCacheCounters FaceCounters() { return Cache().counters(); }

}  // namespace soft
