#include "core/caption_painter.h"

#include <cmath>

#include "core/caption_schedule.h"
#include "core/random_source.h"

namespace {

constexpr BYTE kCaptionQuality = 200;

void SetCaptionFont(TFont& font) {
  font.SetColor(clSilver);
  font.SetName("Arial");
  font.SetStyle({fsBold});
  font.SetSize(22);
  // The captions are Windows-1251 bytes: a Cyrillic font reads them as such
  // whatever the system's own code page is.
  font.SetCharset(RUSSIAN_CHARSET);
}

int CurrentEscapement(TCanvas& canvas) {
  LOGFONTA description{};
  if (GetObjectA(canvas.Font().FontHandle(), sizeof description, &description) == 0) return 0;
  return description.lfEscapement;
}

}  // namespace

void ApplyCaptionFont(TCanvas& canvas, float tilt) {
  LOGFONTA description{};
  GetObjectA(canvas.Font().FontHandle(), sizeof description, &description);
  if (tilt != 0.0f) {
    const auto escapement = static_cast<LONG>(std::lround(tilt));
    description.lfEscapement = RandomBelow(2) == 1 ? escapement : -escapement;
  }
  description.lfQuality = kCaptionQuality;
  canvas.Font().SetFontHandle(CreateFontIndirectA(&description));
}

void PaintCaption(TCanvas& canvas, int width, int height, TextTrace* trace) {
  canvas.Brush().SetStyle(bsClear);
  SetCaptionFont(canvas.Font());

  // Centred with the level font, before any tilt.
  const int measured_width = canvas.MeasureTextWidth(CaptionText);
  const int measured_height = canvas.MeasureTextHeight(CaptionText);
  const int centred_x = width / 2 - measured_width / 2;
  const int centred_y = height / 2 - measured_height / 2;

  if (RandomBelow(21) == 3) {
    ApplyCaptionFont(canvas, static_cast<float>(RandomBelow(30)));
  } else {
    ApplyCaptionFont(canvas, 0.0f);
  }

  int x = centred_x;
  int y = centred_y;
  if (RandomBelow(70) == 7) {
    x = RandomBelow(width);
    y = RandomBelow(height);
  }

  const int silver_left = RandomBelow(2);
  const int silver_down = RandomBelow(2);
  const POINT silver{x - silver_left, y + silver_down};
  canvas.PaintText(silver.x, silver.y, CaptionText);

  canvas.Font().SetColor(clWhite);  // keeps the tilted font selected
  const int white_left = RandomBelow(2);
  const int white_down = RandomBelow(2);
  const POINT white{x - white_left, y + white_down};
  canvas.PaintText(white.x, white.y, CaptionText);

  if (trace) {
    *trace = TextTrace{{measured_width, measured_height}, CurrentEscapement(canvas), silver, white};
  }
}
