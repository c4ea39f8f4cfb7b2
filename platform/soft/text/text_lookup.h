// Finds the font file for a face name with fontconfig. Every call is a
// fontconfig query; callers cache the answer (see text_faces.h).
#pragma once

#include <optional>
#include <string>

namespace soft {

struct FontFileMatch {
  std::string path;
  int index = 0;        // face index within the file
  std::string family;   // the family fontconfig chose, for diagnostics and tests
};

// family: a UTF-8 face name; an empty name or one of the platform's generic
// dialog faces asks for the system's sans face. Only scalable faces are
// returned, since text may be rotated. nullopt when there is none at all.
std::optional<FontFileMatch> MatchFontFile(const std::string& family, bool bold, bool italic);

}  // namespace soft
