#include "platform/soft/text_faces.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "platform/soft/text_glyphs.h"
#include "platform/soft/text_lookup.h"

namespace {

soft::FaceRequest Request(std::string name, bool bold = false) { return {std::move(name), bold, false}; }

TEST(FaceRequest, ReadsNameWeightAndSlant) {
  LOGFONTA font{};
  std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", "ARIAL");
  font.lfWeight = 600;
  font.lfItalic = 1;
  EXPECT_EQ(soft::FaceRequest::For(font), (soft::FaceRequest{"arial", true, true}));
  font.lfWeight = 599;
  EXPECT_FALSE(soft::FaceRequest::For(font).bold);
  for (char& c : font.lfFaceName) c = 'x';  // no terminating zero
  EXPECT_EQ(soft::FaceRequest::For(font).name, std::string(LF_FACESIZE, 'x'));
}

TEST(ResolveFace, ArialIsTheMetricCompatibleSansFace) {
  auto match = soft::MatchFontFile("Liberation Sans", false, false);
  if (!match || match->family != "Liberation Sans") GTEST_SKIP() << "no Liberation Sans";
  auto bold = soft::ResolveFace(Request("arial", true));
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(bold->match().family, "Liberation Sans");
  EXPECT_FALSE(bold->synthetic_bold());
  EXPECT_NE(bold, soft::ResolveFace(Request("arial")));
}

TEST(ResolveFace, UnknownAndDialogFacesFallBackToASansFace) {
  for (const char* name : {"no such face 7f3a", "system", "ms sans serif", ""}) {
    auto face = soft::ResolveFace(Request(name));
    ASSERT_NE(face, nullptr) << name;
    EXPECT_TRUE(face->HasOutline(U'Ж')) << name;
  }
}

TEST(ResolveFace, RepeatedRequestsCostNoQueryAndNoFileOpen) {
  auto first = soft::ResolveFace(Request("arial", true));
  auto other = soft::ResolveFace(Request("unknown face one"));
  const soft::FaceCacheCounters before = soft::FaceCounters();
  EXPECT_EQ(soft::ResolveFace(Request("arial", true)), first);
  // Another name reaching the same file shares its face.
  EXPECT_EQ(soft::ResolveFace(Request("unknown face two")), other);
  const soft::FaceCacheCounters after = soft::FaceCounters();
  EXPECT_EQ(after.resolves, before.resolves + 2);
  EXPECT_EQ(after.fontconfig_queries, before.fontconfig_queries + 1);
  EXPECT_EQ(after.files_opened, before.files_opened);
}

TEST(ResolveFace, CaptionCharactersHaveRealGlyphs) {
  auto face = soft::ResolveFace(Request("arial", true));
  ASSERT_NE(face, nullptr);
  std::u32string characters = U"ҐґЄєІіЇї=)[^_]!.,:-@eMailTHEND";
  for (char32_t c = U'А'; c <= U'я'; ++c) characters.push_back(c);
  for (char32_t c : characters) EXPECT_TRUE(face->HasOutline(c)) << std::hex << unsigned(c);
  EXPECT_FALSE(face->HasOutline(U'\uFFFF'));
}

TEST(GlyphCache, ImagesAreTurnedAndKeptPerTurn) {
  auto face = soft::ResolveFace(Request("arial", true));
  const unsigned glyph = face->GlyphIndices(U"I").front();
  auto upright = soft::GlyphBitmap(*face, 29, glyph, 0);
  auto sideways = soft::GlyphBitmap(*face, 29, glyph, 900);
  EXPECT_GT(upright->height, upright->width);  // a tall bar lies down when turned
  EXPECT_GT(sideways->width, sideways->height);
  EXPECT_EQ(soft::GlyphBitmap(*face, 29, glyph, 3600 + 900), sideways);
  EXPECT_EQ(soft::GlyphBitmap(*face, 29, glyph, -2700), sideways);
  const long loaded = soft::GlyphCounters().advances_loaded;
  EXPECT_EQ(soft::GlyphAdvance(*face, 29, glyph), soft::GlyphAdvance(*face, 29, glyph));
  EXPECT_EQ(soft::GlyphCounters().advances_loaded, loaded + 1);
}

TEST(GlyphCache, MissingBoldIsSynthesisedAndWidened) {
  std::string family;  // a face shipped without a bold; which is installed varies
  for (const char* candidate : {"Z003", "D050000L"}) {
    auto match = soft::MatchFontFile(candidate, true, false);
    if (match && match->family == candidate) family = candidate;
  }
  if (family.empty()) GTEST_SKIP() << "no installed face lacks a bold";
  for (char& c : family) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  auto regular = soft::ResolveFace(Request(family));
  auto bold = soft::ResolveFace(Request(family, true));
  EXPECT_TRUE(bold->synthetic_bold());
  EXPECT_FALSE(regular->synthetic_bold());
  const unsigned glyph = regular->GlyphIndices(U"A").front();
  EXPECT_EQ(soft::GlyphAdvance(*bold, 29, glyph), soft::GlyphAdvance(*regular, 29, glyph) + 1);
  EXPECT_GT(soft::GlyphBitmap(*bold, 29, glyph, 0)->width, soft::GlyphBitmap(*regular, 29, glyph, 0)->width);
}

}  // namespace
