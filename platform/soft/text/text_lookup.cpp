#include "platform/soft/text/text_lookup.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string_view>

#include "platform/lowercase.h"

namespace soft {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// Loaded once and never released: the animation thread may still be
// measuring text while the process exits.
FcConfig* Config() {
  static FcConfig* const config = FcInitLoadConfigAndFonts();
  return config;
}

// The platform's own dialog faces have no counterpart here; they are plain
// sans faces, so ask for the system's sans face by its generic name.
std::string FamilyToAskFor(const std::string& family) {
  static constexpr std::array<std::string_view, 5> kGenericSans = {
      "", "system", "ms sans serif", "ms shell dlg", "ms shell dlg 2"};
  const std::string lower = Lowercase(family);
  for (std::string_view generic : kGenericSans) {
    if (lower == generic) return "sans-serif";
  }
  return family;
}

Pattern RequestPattern(const std::string& family, bool bold, bool italic) {
  Pattern pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(Config(), pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  return pattern;
}

std::optional<FontFileMatch> Describe(const FcPattern* pattern) {
  FcChar8* file = nullptr;
  FcBool scalable = FcFalse;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  if (FcPatternGetBool(pattern, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) {
    return std::nullopt;
  }
  FontFileMatch match;
  match.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(pattern, FC_INDEX, 0, &match.index);
  FcChar8* family = nullptr;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) == FcResultMatch) {
    match.family = reinterpret_cast<const char*>(family);
  }
  return match;
}

}  // namespace

std::optional<FontFileMatch> MatchFontFile(const std::string& family, bool bold, bool italic) {
  if (Config() == nullptr) return std::nullopt;
  Pattern request = RequestPattern(FamilyToAskFor(family), bold, italic);
  FcResult result = FcResultNoMatch;
  Pattern found(FcFontMatch(Config(), request.get(), &result));
  if (!found) return std::nullopt;
  return Describe(found.get());
}

}  // namespace soft
