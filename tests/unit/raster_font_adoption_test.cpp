#include <cstring>

#include "raster/bitmap.h"
#include "raster/font.h"
#include "raster_fixture.h"

namespace {

using FontAdoptionTest = RasterTest;

// A bold italic 22-point Arial tilted by 2.5 degrees, made outside the layer.
HFONT MakeTiltedFont() {
  LOGFONTA font{};
  font.lfHeight = -29;
  font.lfEscapement = 25;
  font.lfWeight = FW_BOLD;
  font.lfItalic = 1;
  font.lfCharSet = RUSSIAN_CHARSET;
  font.lfQuality = 200;
  font.lfPitchAndFamily = VARIABLE_PITCH | 0x20;
  std::strcpy(font.lfFaceName, "Arial");
  return CreateFontIndirectA(&font);
}

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST_F(FontAdoptionTest, AdoptedFontGivesItsDescriptionAndKeepsTheColour) {
  TFont font;
  font.SetColor(clSilver);
  HFONT tilted = MakeTiltedFont();
  font.SetFontHandle(tilted);
  EXPECT_EQ(font.FontHandle(), tilted);
  EXPECT_EQ(font.Height(), -29);
  EXPECT_EQ(font.Size(), 22);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font.Charset(), RUSSIAN_CHARSET);
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Pitch(), fpVariable);
  EXPECT_EQ(font.Color(), clSilver);
}

TEST_F(FontAdoptionTest, AdoptionDeletesTheFontMadeForMeasuring) {
  TBitmap frame;
  MakeFilled(frame, 40, 20, 0);
  TFont& font = frame.Canvas().Font();
  font.SetName("Arial");
  frame.Canvas().MeasureTextWidth("abc");
  HFONT measured = font.FontHandle();
  font.SetFontHandle(MakeTiltedFont());
  EXPECT_FALSE(Alive(measured));
  EXPECT_FALSE(frame.Canvas().FontReady());
}

TEST_F(FontAdoptionTest, ColourChangeKeepsTheAdoptedFontSelected) {
  TBitmap frame;
  MakeFilled(frame, 40, 20, 0);
  TCanvas& canvas = frame.Canvas();
  HFONT tilted = MakeTiltedFont();
  canvas.Font().SetFontHandle(tilted);
  canvas.PaintText(0, 0, "a");
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), tilted);
  canvas.Font().SetColor(clWhite);
  canvas.PaintText(1, 1, "a");
  EXPECT_EQ(GetCurrentObject(canvas.Context(), OBJ_FONT), tilted);
  EXPECT_EQ(GetTextColor(canvas.Context()), 0xFFFFFFu);
  EXPECT_EQ(LiveFonts(), 1);
}

TEST_F(FontAdoptionTest, DescriptionChangeReplacesAndDeletesTheAdoptedFont) {
  TBitmap frame;
  MakeFilled(frame, 40, 20, 0);
  TCanvas& canvas = frame.Canvas();
  HFONT tilted = MakeTiltedFont();
  canvas.Font().SetFontHandle(tilted);
  canvas.PaintText(0, 0, "a");
  canvas.Font().SetSize(12);
  EXPECT_FALSE(Alive(tilted));
  canvas.PaintText(0, 0, "a");
  LOGFONTA made{};
  GetObjectA(canvas.Font().FontHandle(), sizeof(made), &made);
  EXPECT_EQ(made.lfEscapement, 0) << "what only the adopted font carried is gone";
  EXPECT_EQ(made.lfHeight, -16);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_STREQ(made.lfFaceName, "Arial");
  EXPECT_EQ(LiveFonts(), 1);
}

TEST_F(FontAdoptionTest, TwoFontsAdoptingOneHandleShareItUntilTheSecondGoes) {
  HFONT tilted = MakeTiltedFont();
  auto first = std::make_unique<TFont>();
  auto second = std::make_unique<TFont>();
  first->SetFontHandle(tilted);
  second->SetFontHandle(tilted);
  EXPECT_EQ(FontCache->EntryCount(), 1u);
  first.reset();
  EXPECT_TRUE(Alive(tilted));
  second.reset();
  EXPECT_FALSE(Alive(tilted));
}

TEST_F(FontAdoptionTest, NoHandleOrAnUndescribableOneGivesTheDefaults) {
  HGDIOBJ pen = GetStockObject(WHITE_PEN);
  const LOGPEN made_pen{PS_SOLID, {1, 0}, 0};
  HPEN own_pen = CreatePenIndirect(&made_pen);
  HFONT deleted = MakeTiltedFont();
  DeleteObject(deleted);
  for (HGDIOBJ handle : {HGDIOBJ{}, pen, static_cast<HGDIOBJ>(own_pen), static_cast<HGDIOBJ>(deleted)}) {
    TFont font;
    font.SetColor(clSilver);
    font.SetName("Arial");
    font.SetSize(22);
    font.SetFontHandle(static_cast<HFONT>(handle));
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Style(), TFontStyles{});
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
  EXPECT_EQ(adopter.Name(), "Arial");
  EXPECT_EQ(adopter.FontHandle(), made) << "equal descriptions share the font";
  maker.reset();
  EXPECT_TRUE(Alive(adopter.FontHandle()));
  adopter.SetFontHandle(adopter.FontHandle());
  EXPECT_TRUE(Alive(adopter.FontHandle()));
  EXPECT_EQ(LiveFonts(), 1);
}

}  // namespace
