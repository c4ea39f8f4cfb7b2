// Fonts: sizes at the screen's density, the default face, names, styles, and
// adopting a platform font made elsewhere (the caption's tilted one).
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "raster/bitmap.h"
#include "raster/font.h"
#include "raster/font_conversion.h"
#include "raster_fixture.h"

namespace {

using FontTest = RasterTest;

// At 96 pixels per inch, 22 points are caption_test's -29 and the default
// 8 points the defaults test's -11 below.
TEST_F(FontTest, PointsBecomePixelsAtTheScreenDensity) {
  RestartAtDpi(120);
  TFont font;
  EXPECT_EQ(font.Height(), -13) << "the default, 8 points";
  font.SetSize(22);
  EXPECT_EQ(font.Height(), -37);
  EXPECT_EQ(font.Size(), 22);
}

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

// Bold, the size and the face reach the platform in the adoption test below.
TEST_F(FontTest, OtherStylesAndThePitchReachThePlatformFont) {
  FontKey key = RasterModule()->DefaultFontKey;
  key.Style = {fsItalic, fsStrikeOut};
  key.Pitch = fpFixed;
  const LOGFONTA made = LogFontFromKey(key, RasterModule()->DefaultFontKey);
  EXPECT_EQ(made.lfWeight, FW_NORMAL);
  EXPECT_EQ((std::array<int, 3>{made.lfItalic, made.lfUnderline, made.lfStrikeOut}), (std::array{1, 0, 1}));
  EXPECT_EQ(made.lfPitchAndFamily, FIXED_PITCH);
}

// A heavy italic 22-point Arial tilted by 2.5 degrees, made outside the layer.
HFONT MakeTiltedFont() {
  const LOGFONTA font{.lfHeight = -29, .lfWidth = 0, .lfEscapement = 25, .lfOrientation = 0,
                      .lfWeight = 800, .lfItalic = 1, .lfUnderline = 2,  // only exactly 1 counts
                      .lfStrikeOut = 0, .lfCharSet = RUSSIAN_CHARSET, .lfOutPrecision = 0,
                      .lfClipPrecision = 0, .lfQuality = 200,
                      .lfPitchAndFamily = VARIABLE_PITCH | 0x20, .lfFaceName = "Arial"};
  return CreateFontIndirectA(&font);
}

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST_F(FontTest, AdoptedFontServesTheCaptionUntilTheDescriptionChanges) {
  TBitmap frame;
  MakeFilled(frame, 40, 20, 0);
  TCanvas& canvas = frame.Canvas();
  TFont& font = canvas.Font();
  font.SetName("Courier New");
  font.SetColor(clSilver);
  canvas.MeasureTextWidth("abc");
  HFONT measured = font.FontHandle();
  HFONT tilted = MakeTiltedFont();
  font.SetFontHandle(tilted);
  EXPECT_FALSE(Alive(measured)) << "nothing else shares the measured font";
  EXPECT_EQ(font.Size(), 22);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Pitch(), fpVariable);
  EXPECT_EQ(font.Color(), clSilver);

  canvas.PaintText(0, 0, "a");  // that a new colour keeps it is caption_test's
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), tilted);

  font.SetSize(12);
  EXPECT_FALSE(Alive(tilted));
  canvas.PaintText(0, 0, "a");
  const LOGFONTA made = Describe<LOGFONTA>(GetCurrentObject(canvas.Context(), OBJ_FONT));
  EXPECT_EQ(made.lfEscapement, 0) << "what only the adopted font carried is gone";
  EXPECT_EQ(made.lfHeight, -16);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_STREQ(made.lfFaceName, "Arial");
  EXPECT_EQ(Made().fonts, 1);
}

// An adopted handle is deleted once, by the last font that uses it, however
// it was made.
TEST_F(FontTest, AnAdoptedHandleGoesWithItsLastUser) {
  HFONT tilted = MakeTiltedFont();
  auto first = std::make_unique<TFont>();
  auto second = std::make_unique<TFont>();
  first->SetFontHandle(tilted);
  second->SetFontHandle(tilted);
  first.reset();
  EXPECT_TRUE(Alive(tilted));
  second.reset();
  EXPECT_FALSE(Alive(tilted));

  auto maker = std::make_unique<TFont>();
  maker->SetName("Arial");
  HFONT made = maker->FontHandle();
  TFont adopter;
  adopter.SetFontHandle(made);
  EXPECT_EQ(adopter.FontHandle(), made) << "equal descriptions share the font";
  maker.reset();
  adopter.SetFontHandle(made);
  EXPECT_TRUE(Alive(made)) << "the adopter still uses it";
  EXPECT_EQ(Made().fonts, 1);
}

TEST_F(FontTest, NoHandleOrAnUndescribableOneGivesTheDefaults) {
  const LOGPEN pen{PS_SOLID, {1, 0}, 0};
  HPEN own_pen = CreatePenIndirect(&pen);
  HFONT deleted = MakeTiltedFont();
  DeleteObject(deleted);
  const std::pair<const char*, HGDIOBJ> handles[] = {{"none", nullptr}, {"a pen", own_pen}, {"deleted", deleted}};
  for (const auto& [name, handle] : handles) {
    SCOPED_TRACE(name);
    TFont font;
    font.SetColor(clSilver);
    font.SetName("Arial");
    font.SetSize(22);
    font.SetFontHandle(static_cast<HFONT>(handle));
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Color(), clSilver);
    EXPECT_NE(font.FontHandle(), handle);
  }
  EXPECT_TRUE(Alive(own_pen)) << "a handle that was not adopted is never deleted";
  DeleteObject(own_pen);
}

}  // namespace
