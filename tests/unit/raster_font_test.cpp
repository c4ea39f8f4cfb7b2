#include <array>
#include <string>
#include <utility>

#include "raster/font.h"
#include "raster/font_conversion.h"
#include "raster_fixture.h"

namespace {

using FontTest = RasterTest;

struct SizeCase {
  int dpi, points, height;
};

void PrintTo(const SizeCase& c, std::ostream* out) { *out << c.points << " points at " << c.dpi; }

class FontSizeTest : public RasterTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FontSizeTest, PointsBecomePixelsAtTheScreenDensity) {
  const SizeCase& c = GetParam();
  RestartAtDpi(c.dpi);
  TFont font;
  if (c.points == 8) {
    EXPECT_EQ(font.Height(), c.height) << "the default";
  }
  font.SetSize(c.points);
  EXPECT_EQ(font.Height(), c.height);
  EXPECT_EQ(font.Size(), c.points);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSizeTest,
                         ::testing::Values(SizeCase{96, 22, -29}, SizeCase{96, 8, -11}, SizeCase{120, 22, -37},
                                           SizeCase{120, 8, -13}),
                         [](const ::testing::TestParamInfo<SizeCase>& tested) {
                           return std::to_string(tested.param.points) + "PointsAt" + std::to_string(tested.param.dpi);
                         });

TEST_F(FontTest, OnlyAShiftJisSystemFontGivesTheGothicDefault) {
  probe::SetDoubleByteLocale(true, SHIFTJIS_CHARSET);
  RestartAtDpi(96);
  const FontKey japanese = RasterModule()->DefaultFontKey;
  probe::SetDoubleByteLocale(true, 129);  // another double-byte character set
  RestartAtDpi(96);
  const FontKey korean = RasterModule()->DefaultFontKey;
  probe::SetDoubleByteLocale(false, RUSSIAN_CHARSET);
  RestartAtDpi(96);

  EXPECT_EQ(japanese.Charset, SHIFTJIS_CHARSET);
  EXPECT_EQ(japanese.Height, -12);
  EXPECT_EQ(japanese.Name.View(), "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
  EXPECT_EQ(korean.Charset, DEFAULT_CHARSET);
  EXPECT_EQ(korean.Name.View(), "MS Sans Serif");
}

TEST_F(FontTest, NamesKeepThirtyOneCharactersAndDefaultMeansTheDefaultFace) {
  TFont font;
  font.SetName(std::string(40, 'n'));
  font.SetName("");
  EXPECT_EQ(font.Name(), std::string(31, 'n')) << "an empty name is ignored";
  const std::pair<const char*, const char*> faces[] = {
      {"Default", "MS Sans Serif"}, {"dEfAuLt", "MS Sans Serif"}, {"Defaults", "Defaults"}};
  for (const auto& [name, face] : faces) {
    font.SetName(name);
    EXPECT_EQ(font.Name(), name);
    EXPECT_STREQ(Describe<LOGFONTA>(font.FontHandle()).lfFaceName, face);
  }
}

// Bold, the size and the face reach the platform in raster_font_adoption_test.
TEST_F(FontTest, OtherStylesAndThePitchReachThePlatformFont) {
  FontKey key = RasterModule()->DefaultFontKey;
  key.Style = {fsItalic, fsStrikeOut};
  key.Pitch = fpFixed;
  const LOGFONTA made = LogFontFromKey(key, RasterModule()->DefaultFontKey);
  EXPECT_EQ(made.lfWeight, FW_NORMAL);
  EXPECT_EQ((std::array<int, 3>{made.lfItalic, made.lfUnderline, made.lfStrikeOut}),
            (std::array{1, 0, 1}));
  EXPECT_EQ(made.lfPitchAndFamily, FIXED_PITCH);
}

}  // namespace
