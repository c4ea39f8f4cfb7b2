#include "platform/soft/text/text_faces.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/soft/text/text_glyphs.h"

namespace {

soft::FaceRequest Request(std::string name, bool bold = false) { return {std::move(name), bold, false}; }

TEST(FaceRequest, ReadsNameBoldAndItalic) {
  LOGFONTA font{};
  std::strcpy(font.lfFaceName, "ARIAL");
  font.lfWeight = FW_BOLD;
  font.lfItalic = 1;
  EXPECT_EQ(soft::FaceRequest::For(font), (soft::FaceRequest{"arial", true, true}));  // names match in any case
  std::memset(font.lfFaceName, 'x', LF_FACESIZE);  // no terminating zero
  EXPECT_EQ(soft::FaceRequest::For(font).name, std::string(LF_FACESIZE, 'x'));
}

TEST(ResolveFace, BoldArialIsTheMetricCompatibleSansFaceWithEveryCaptionLetter) {
  auto bold = soft::ResolveFace(Request("arial", true));
  ASSERT_NE(bold, nullptr);
  EXPECT_EQ(bold->match().family, "Liberation Sans");  // the project installs fonts-liberation
  EXPECT_FALSE(bold->synthetic_bold());
  EXPECT_NE(bold, soft::ResolveFace(Request("arial")));
  std::u32string characters = U"ҐґЄєІіЇї=)[^_]!.,:-@eMailTHEND";
  for (char32_t c = U'А'; c <= U'я'; ++c) characters.push_back(c);
  for (char32_t c : characters) EXPECT_TRUE(bold->HasOutline(c)) << std::hex << unsigned(c);
  EXPECT_FALSE(bold->HasOutline(U'\uFFFF'));
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
}

}  // namespace
