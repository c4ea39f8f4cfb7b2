// Faces: which file a request finds, the cells of its metrics, and its
// turned glyph images.
#include "platform/soft/text/text_faces.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "platform/soft/text/text_glyphs.h"
#include "platform/soft/text/text_metrics.h"

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

// The design of the common metric-compatible sans faces.
const soft::FaceDesign kSans{.units_per_em = 2048, .ascent = 1854, .descent = 434};

TEST(TextMetrics, CellsAreTheOnesThePlatformReports) {
  const soft::FontMetrics caption = soft::ScaleMetrics(kSans, 29);
  EXPECT_EQ(caption.ascent, 27);  // 26.25 rounded up
  EXPECT_EQ(caption.descent, 6);  // 6.15 rounded
  EXPECT_EQ(caption.height, 33);
  EXPECT_EQ(caption.internal_leading, 4);
  const soft::FontMetrics twelve_point = soft::ScaleMetrics(kSans, 16);
  EXPECT_EQ(twelve_point.ascent, 15);
  EXPECT_EQ(twelve_point.height, 18);
}

TEST(TextMetrics, HeightsAskedForBecomeEmSizes) {
  EXPECT_EQ(soft::EmPixelsFor(kSans, -29), 29);
  // 33 * 2048 / 2288 is 29.5, but an em of 30 would need a 34-pixel cell.
  EXPECT_EQ(soft::EmPixelsFor(kSans, 33), 29);
  for (int cell = 2; cell < 200; ++cell) {  // a positive height is the largest cell that fits
    const int em = soft::EmPixelsFor(kSans, cell);
    EXPECT_LE(soft::ScaleMetrics(kSans, em).height, cell) << cell;
    EXPECT_GT(soft::ScaleMetrics(kSans, em + 1).height, cell) << cell;
  }
  EXPECT_EQ(soft::EmPixelsFor(kSans, 0), soft::EmPixelsFor(kSans, soft::kDefaultCellHeight));
  EXPECT_EQ(soft::EmPixelsFor(kSans, INT_MIN), soft::kLargestEmPixels);
  EXPECT_EQ(soft::EmPixelsFor(kSans, INT_MAX), soft::kLargestEmPixels);
}

}  // namespace
