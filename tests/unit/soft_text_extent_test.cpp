// Measuring text: GetTextExtentPoint32A and GetTextMetricsA.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "platform/soft/text/text_faces.h"
#include "platform/soft/text/text_glyphs.h"
#include "platform/win32.h"

namespace {

LOGFONTA Font(const char* face, LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_BOLD;
  std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", face);
  return font;
}

// A memory context with a font of its own selected, as the drawing layer measures.
struct MeasuringDc {
  explicit MeasuringDc(const LOGFONTA& description) : font(CreateFontIndirectA(&description)) {
    SelectObject(dc, font);
  }
  ~MeasuringDc() {
    DeleteDC(dc);  // lets go of the font
    DeleteObject(font);
  }
  SIZE Extent(const std::string& text, int count = -1) const {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text.data(), count < 0 ? int(text.size()) : count, &size));
    return size;
  }

  const HDC dc = CreateCompatibleDC(nullptr);
  const HFONT font;
};

TEST(TextExtent, CaptionFontMeasuresAsBoldArial) {
  MeasuringDc dc(Font("Arial", -29));
  EXPECT_EQ(dc.Extent("THE END").cy, 33);  // the cell of the metric-compatible face
  EXPECT_GT(dc.Extent("THE END").cx, 29 * 3);
  EXPECT_LT(dc.Extent("THE END").cx, 29 * 7);
  EXPECT_EQ(dc.Extent("").cx, 0);  // no text still has the full cell
  EXPECT_EQ(dc.Extent("").cy, 33);
  // The sum of whole-pixel advances of the counted bytes, without kerning even for AV.
  const std::string text = "THE END AV \xCD\xE5\xEC\xE0\xBA";
  int sum = 0;
  for (char c : text) sum += dc.Extent(std::string(1, c)).cx;
  EXPECT_EQ(dc.Extent(text).cx, sum);
  EXPECT_EQ(dc.Extent(text, 3).cx, dc.Extent("THE").cx);
}

TEST(TextExtent, RefusesBadArgumentsAndMeasuresOddFonts) {
  MeasuringDc dc(Font("Arial", -29));
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "x", 1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(reinterpret_cast<HDC>(0x5151), "x", 1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.dc, "x", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.dc, "x", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.dc, nullptr, 1, &size));
  EXPECT_TRUE(GetTextExtentPoint32A(dc.dc, nullptr, 0, &size));
  EXPECT_FALSE(GetTextMetricsA(dc.dc, nullptr));
  for (const LOGFONTA& font : {Font("No Such Face At All", -29), Font("Arial", INT_MIN), Font("Arial", 0)}) {
    EXPECT_GT(MeasuringDc(font).Extent("W").cx, 0) << font.lfFaceName << " " << font.lfHeight;
  }
  EXPECT_EQ(MeasuringDc(Font("Arial", 20)).Extent("x").cy, 20);  // a positive height is the cell's
}

TEST(TextExtent, RepeatedMeasuringCostsNoLookupAndNoGlyphLoad) {
  MeasuringDc(Font("Arial", -29)).Extent("THE END");
  const soft::FaceCacheCounters faces = soft::FaceCounters();
  const long glyphs = soft::GlyphCounters().advances_loaded;
  for (int frame = 0; frame < 5; ++frame) {
    MeasuringDc(Font("Arial", -29)).Extent("THE END");  // a new platform font every frame
  }
  EXPECT_EQ(soft::FaceCounters().fontconfig_queries, faces.fontconfig_queries);
  EXPECT_EQ(soft::FaceCounters().files_opened, faces.files_opened);
  EXPECT_EQ(soft::GlyphCounters().advances_loaded, glyphs);
}

}  // namespace
