#include <cstring>
#include <string>

#include "raster/font.h"
#include "raster/font_conversion.h"
#include "raster_fixture.h"

namespace {

using FontTest = RasterTest;

LOGFONTA Describe(HFONT font) {
  LOGFONTA described{};
  EXPECT_NE(GetObjectA(font, sizeof(described), &described), 0);
  return described;
}

TEST_F(FontTest, NewFontHasTheDefaults) {
  TFont font;
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(font.Pitch(), fpDefault);
  EXPECT_EQ(font.Style(), TFontStyles{});
}

TEST_F(FontTest, PointsBecomePixelsAtNinetySixDpi) {
  TFont font;
  font.SetSize(22);
  EXPECT_EQ(font.Height(), -29);
  EXPECT_EQ(font.Size(), 22);
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -11);
}

TEST_F(FontTest, PointsBecomePixelsAtOneHundredTwentyDpi) {
  RestartAtDpi(120);
  TFont font;
  font.SetSize(22);
  EXPECT_EQ(font.Height(), -37);
  EXPECT_EQ(font.Size(), 22);
}

TEST_F(FontTest, NameKeepsThirtyOneCharactersAndIgnoresEmpty) {
  TFont font;
  font.SetName("Arial");
  font.SetName("");
  EXPECT_EQ(font.Name(), "Arial");
  font.SetName(std::string(40, 'n'));
  EXPECT_EQ(font.Name(), std::string(31, 'n'));
}

TEST_F(FontTest, DefaultInAnyCaseIsRealisedWithTheDefaultFace) {
  for (const char* name : {"Default", "dEfAuLt", "DEFAULT"}) {
    TFont font;
    font.SetName(name);
    EXPECT_EQ(font.Name(), name);
    EXPECT_STREQ(Describe(font.FontHandle()).lfFaceName, "MS Sans Serif") << name;
  }
  TFont other;
  other.SetName("Defaults");
  EXPECT_STREQ(Describe(other.FontHandle()).lfFaceName, "Defaults");
}

TEST_F(FontTest, PlatformFontFollowsTheDescription) {
  TFont font;
  font.SetName("Arial");
  font.SetStyle({fsBold, fsUnderline});
  font.SetSize(22);
  font.SetCharset(RUSSIAN_CHARSET);
  font.SetPitch(fpFixed);
  const LOGFONTA made = Describe(font.FontHandle());
  EXPECT_EQ(made.lfHeight, -29);
  EXPECT_EQ(made.lfWidth, 0);
  EXPECT_EQ(made.lfEscapement, 0);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_EQ(made.lfItalic, 0);
  EXPECT_EQ(made.lfUnderline, 1);
  EXPECT_EQ(made.lfStrikeOut, 0);
  EXPECT_EQ(made.lfCharSet, RUSSIAN_CHARSET);
  EXPECT_EQ(made.lfQuality, 0);
  EXPECT_EQ(made.lfPitchAndFamily, FIXED_PITCH);
  EXPECT_STREQ(made.lfFaceName, "Arial");
}

TEST_F(FontTest, LogFontStylesAndPitchesBothWays) {
  FontKey key = DefaultFontKey();
  key.Style = {fsItalic, fsStrikeOut};
  key.Pitch = fpVariable;
  const LOGFONTA font = LogFontFromKey(key);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_EQ(font.lfItalic, 1);
  EXPECT_EQ(font.lfStrikeOut, 1);
  EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH);

  LOGFONTA read = font;
  read.lfWeight = 800;
  read.lfUnderline = 2;  // only exactly 1 counts
  read.lfPitchAndFamily = 0x31;  // family bits are not part of the description
  const FontKey back = KeyFromLogFont(read, nullptr);
  EXPECT_EQ(back.Style, (TFontStyles{fsBold, fsItalic, fsStrikeOut}));
  EXPECT_EQ(back.Pitch, fpFixed);
}

TEST_F(FontTest, ColourChangeMakesNoNewPlatformFont) {
  TFont font;
  HFONT handle = font.FontHandle();
  int notified = 0;
  font.SetOnChange([&] { ++notified; });
  font.SetColor(clSilver);
  font.SetColor(clSilver);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(font.FontHandle(), handle);
  EXPECT_EQ(LiveFonts(), 1);
}

}  // namespace
