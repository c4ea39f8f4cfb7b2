// Measuring text: GetTextExtentPoint32A and GetTextMetricsA.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/soft/soft.h"
#include "platform/soft/system_info.h"
#include "platform/soft/text_faces.h"
#include "platform/soft/text_glyphs.h"
#include "platform/soft/text_lookup.h"
#include "platform/win32.h"

namespace {

LOGFONTA Font(const char* face, LONG height, LONG weight = FW_BOLD) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfQuality = 200;
  font.lfCharSet = RUSSIAN_CHARSET;
  std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", face);
  return font;
}

// A memory context with a font of its own selected, as the drawing layer measures.
class MeasuringDc {
 public:
  explicit MeasuringDc(const LOGFONTA& font)
      : dc_(CreateCompatibleDC(nullptr)), font_(CreateFontIndirectA(&font)) {
    previous_ = SelectObject(dc_, font_);
  }
  ~MeasuringDc() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  SIZE Extent(const std::string& text, int count = -1) const {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc_, text.data(), count < 0 ? int(text.size()) : count, &size));
    return size;
  }
  TEXTMETRICA Metrics() const {
    TEXTMETRICA metrics{};
    EXPECT_TRUE(GetTextMetricsA(dc_, &metrics));
    return metrics;
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

bool ArialIsLiberationSans() {
  auto match = soft::MatchFontFile("Arial", true, false);
  return match && match->family == "Liberation Sans";
}

TEST(TextExtent, CaptionFontHasTheCellOfBoldArial) {
  MeasuringDc dc(Font("Arial", -29));
  const SIZE size = dc.Extent("THE END");
  EXPECT_NEAR(size.cy, 33, ArialIsLiberationSans() ? 0 : 3);
  EXPECT_GT(size.cx, 29 * 3);
  EXPECT_LT(size.cx, 29 * 7);
  EXPECT_EQ(dc.Extent("").cx, 0);  // no text still has the full cell
  EXPECT_EQ(dc.Extent("").cy, size.cy);
}

TEST(TextExtent, WidthIsTheSumOfWholePixelAdvancesOfTheCountedBytes) {
  MeasuringDc dc(Font("Arial", -29));
  // "THE END AV" and "Немає" in the code page
  const std::string text = "THE END AV \xCD\xE5\xEC\xE0\xBA";
  int sum = 0;
  for (char c : text) sum += dc.Extent(std::string(1, c)).cx;
  EXPECT_EQ(dc.Extent(text).cx, sum);  // no kerning, even for AV
  EXPECT_EQ(dc.Extent(text, 3).cx, dc.Extent("THE").cx);
}

TEST(TextExtent, UnknownFacesAndExtremeHeightsStillMeasure) {
  for (const LOGFONTA& font : {Font("No Such Face At All", -29), Font("Arial", -2147483647 - 1),
                               Font("Arial", 0)}) {
    MeasuringDc dc(font);
    const SIZE size = dc.Extent("W");
    EXPECT_GT(size.cx, 0) << font.lfFaceName << " " << font.lfHeight;
    EXPECT_GT(size.cy, 0) << font.lfFaceName << " " << font.lfHeight;
  }
  MeasuringDc cell(Font("Arial", 20));  // a positive height is the cell's
  EXPECT_LE(cell.Extent("x").cy, 20);
  EXPECT_GE(cell.Extent("x").cy, 18);
}

TEST(TextExtent, RejectsBadArguments) {
  MeasuringDc dc(Font("Arial", -29));
  SIZE size{};
  EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "x", 1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(reinterpret_cast<HDC>(0x5151), "x", 1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.dc(), "x", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.dc(), "x", -1, &size));
  EXPECT_FALSE(GetTextExtentPoint32A(dc.dc(), nullptr, 1, &size));
  EXPECT_TRUE(GetTextExtentPoint32A(dc.dc(), nullptr, 0, &size));
  EXPECT_FALSE(GetTextMetricsA(nullptr, reinterpret_cast<TEXTMETRICA*>(&size)));
  EXPECT_FALSE(GetTextMetricsA(dc.dc(), nullptr));
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

TEST(TextMetrics, AgreeWithTheExtentAndTheDescription) {
  MeasuringDc dc(Font("Arial", -29));
  const TEXTMETRICA metrics = dc.Metrics();
  EXPECT_EQ(metrics.tmHeight, dc.Extent("x").cy);
  EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, metrics.tmHeight);
  EXPECT_EQ(metrics.tmInternalLeading, metrics.tmHeight - 29);
  EXPECT_GT(metrics.tmAveCharWidth, 0);
  EXPECT_GE(metrics.tmMaxCharWidth, metrics.tmAveCharWidth);
  EXPECT_EQ(metrics.tmWeight, FW_BOLD);
  EXPECT_EQ(metrics.tmItalic, 0);
  EXPECT_EQ(metrics.tmCharSet, RUSSIAN_CHARSET);
  EXPECT_EQ(metrics.tmDigitizedAspectY, soft::ScreenDpi());
  EXPECT_EQ(metrics.tmPitchAndFamily & 0x01, 0x01);  // set for a proportional face

  LOGFONTA plain = Font("Arial", -16, 0);
  plain.lfItalic = 1;
  const TEXTMETRICA italic = MeasuringDc(plain).Metrics();
  EXPECT_EQ(italic.tmWeight, FW_NORMAL);
  EXPECT_EQ(italic.tmItalic, 1);
  if (ArialIsLiberationSans()) {
    EXPECT_EQ(italic.tmHeight, 18);
  }
}

TEST(TextMetrics, ScreenContextUsesTheSystemFontAndItsCharset) {
  const BYTE usual = soft::SystemFontCharset();
  soft::SetDoubleByteLocale(true, SHIFTJIS_CHARSET);
  HDC screen = GetDC(nullptr);
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32A(screen, "System", 6, &size));
  EXPECT_GT(size.cx, 0);
  TEXTMETRICA metrics{};
  EXPECT_TRUE(GetTextMetricsA(screen, &metrics));
  EXPECT_EQ(metrics.tmHeight, size.cy);
  EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(MeasuringDc(Font("Arial", -29)).Metrics().tmCharSet, RUSSIAN_CHARSET);  // others keep theirs
  soft::SetDoubleByteLocale(false, usual);
}

}  // namespace
