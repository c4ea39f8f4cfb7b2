#include <memory>

#include "raster/bitmap.h"
#include "raster/font.h"
#include "raster_fixture.h"

namespace {

using FontAdoptionTest = RasterTest;

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

TEST_F(FontAdoptionTest, AdoptedFontServesTheCaptionUntilTheDescriptionChanges) {
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

  canvas.PaintText(0, 0, "a");
  font.SetColor(clWhite);
  canvas.PaintText(1, 1, "a");
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), tilted);
  EXPECT_EQ(GetTextColor(canvas.Context()), 0xFFFFFFu);
  EXPECT_EQ(Made().fonts, 1);

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

TEST_F(FontAdoptionTest, TwoFontsAdoptingOneHandleShareItUntilTheSecondGoes) {
  HFONT tilted = MakeTiltedFont();
  auto first = std::make_unique<TFont>();
  auto second = std::make_unique<TFont>();
  first->SetFontHandle(tilted);
  second->SetFontHandle(tilted);
  EXPECT_EQ(RasterModule()->FontCache.EntryCount(), 1u);
  first.reset();
  EXPECT_TRUE(Alive(tilted));
  second.reset();
  EXPECT_FALSE(Alive(tilted));
}

TEST_F(FontAdoptionTest, NoHandleOrAnUndescribableOneGivesTheDefaults) {
  const LOGPEN pen{PS_SOLID, {1, 0}, 0};
  HPEN own_pen = CreatePenIndirect(&pen);
  HFONT deleted = MakeTiltedFont();
  DeleteObject(deleted);
  for (HGDIOBJ handle : {HGDIOBJ{}, HGDIOBJ{own_pen}, HGDIOBJ{deleted}}) {
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
  EXPECT_TRUE(NothingLeft());
}

TEST_F(FontAdoptionTest, AdoptingAFontTheCacheMadeDoesNotDeleteItTwice) {
  auto maker = std::make_unique<TFont>();
  maker->SetName("Arial");
  HFONT made = maker->FontHandle();
  TFont adopter;
  adopter.SetFontHandle(made);
  EXPECT_EQ(adopter.FontHandle(), made) << "equal descriptions share the font";
  maker.reset();
  EXPECT_TRUE(Alive(made)) << "the adopter still uses it";
  adopter.SetFontHandle(made);
  EXPECT_TRUE(Alive(made));
  EXPECT_EQ(Made().fonts, 1);
}

}  // namespace
