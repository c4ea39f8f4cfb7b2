// The Win32 text calls: ExtTextOutA, GetTextExtentPoint32A, GetTextMetricsA.
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/soft/graphics/handle_table.h"
#include "platform/soft/graphics/objects.h"
#include "platform/soft/graphics/surface_access.h"
#include "platform/soft/kernel/fail_with.h"
#include "platform/soft/kernel/system_info.h"
#include "platform/soft/text/text_codepage.h"
#include "platform/soft/text/text_font.h"
#include "platform/soft/text/text_layout.h"
#include "platform/soft/text/text_render.h"
#include "platform/win32.h"

namespace soft {
namespace {

// What a context writes with: its selected font, else the system font.
LOGFONTA SelectedFont(const DcObject& dc) {
  if (const auto font = FindAs<FontObject>(dc.font, Kind::Font)) return font->font;
  if (const auto font = FindAs<FontObject>(GetStockObject(SYSTEM_FONT), Kind::Font)) return font->font;
  LOGFONTA fallback{};
  std::strcpy(fallback.lfFaceName, "System");
  return fallback;
}

bool SelectsSystemFont(const DcObject& dc) {
  return dc.font == nullptr || dc.font == GetStockObject(SYSTEM_FONT);
}

// TMPF_FIXED_PITCH set means variable pitch, despite its name.
BYTE PitchAndFamily(const FaceDesign& design) {
  BYTE bits = TMPF_VECTOR | (design.fixed_pitch ? FF_MODERN : FF_SWISS);
  if (!design.fixed_pitch) bits |= TMPF_FIXED_PITCH;
  if (design.outline_sfnt) bits |= TMPF_TRUETYPE;
  return bits;
}

TEXTMETRICA Describe(const ResolvedFont& resolved, const LOGFONTA& font, BYTE charset) {
  const FontMetrics& m = resolved.metrics;
  TEXTMETRICA metrics{};
  metrics.tmHeight = m.height;
  metrics.tmAscent = m.ascent;
  metrics.tmDescent = m.descent;
  metrics.tmInternalLeading = m.internal_leading;
  metrics.tmExternalLeading = m.external_leading;
  metrics.tmAveCharWidth = m.average_width;
  metrics.tmMaxCharWidth = m.max_width;
  metrics.tmWeight = font.lfWeight != 0 ? font.lfWeight : FW_NORMAL;
  metrics.tmDigitizedAspectX = ScreenDpi();
  metrics.tmDigitizedAspectY = ScreenDpi();
  metrics.tmFirstChar = 0x1E;
  metrics.tmLastChar = 0xFF;
  metrics.tmDefaultChar = 0x1F;
  metrics.tmBreakChar = 0x20;
  metrics.tmItalic = font.lfItalic != 0 ? 1 : 0;
  metrics.tmUnderlined = font.lfUnderline != 0 ? 1 : 0;
  metrics.tmStruckOut = font.lfStrikeOut != 0 ? 1 : 0;
  metrics.tmPitchAndFamily = PitchAndFamily(resolved.face->design());
  metrics.tmCharSet = charset;
  return metrics;
}

TextPaint PaintFor(const DcObject& dc, const LOGFONTA& font, int x, int y) {
  TextPaint paint;
  paint.x = x;
  paint.y = y;
  paint.escapement = font.lfEscapement;
  paint.color = dc.text_color;
  paint.opaque = dc.bk_mode == OPAQUE;
  paint.background = dc.bk_color;
  paint.underline = font.lfUnderline != 0;
  paint.strikeout = font.lfStrikeOut != 0;
  return paint;
}

}  // namespace
}  // namespace soft

// The options, the clipping rectangle and the spacing array are not used:
// the program writes plain lines of text only.
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT /*options*/, const RECT* /*rect*/, LPCSTR text,
                 UINT count, const INT* /*spacing*/) {
  const auto dc = soft::FindDc(hdc);
  if (dc == nullptr) return soft::FailWith<BOOL>(ERROR_INVALID_HANDLE, FALSE);
  if (text == nullptr) {  // nothing to write: the platform says so, yet succeeds
    SetLastError(ERROR_INVALID_PARAMETER);
    return TRUE;
  }
  const LOGFONTA font = soft::SelectedFont(*dc);
  const std::string_view bytes = count == 0 ? std::string_view() : std::string_view(text, count);
  std::optional<soft::TextLayout> layout = soft::LayOutText(font, bytes);
  soft::SurfaceAccess access(*dc);
  if (access.surface().Empty()) return TRUE;  // nothing to draw on is not a failure
  if (!layout) return soft::FailWith<BOOL>(ERROR_NO_SYSTEM_RESOURCES, FALSE);
  soft::DrawTextLayout(access.surface(), *layout, soft::PaintFor(*dc, font, x, y));
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  const auto dc = soft::FindDc(hdc);
  if (dc == nullptr) return soft::FailWith<BOOL>(ERROR_INVALID_HANDLE, FALSE);
  if (size == nullptr || count < 0 || (text == nullptr && count != 0)) {
    return soft::FailWith<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
  }
  const std::string_view bytes = count == 0 ? std::string_view() : std::string_view(text, count);
  std::optional<soft::TextLayout> layout = soft::LayOutText(soft::SelectedFont(*dc), bytes);
  if (!layout) return soft::FailWith<BOOL>(ERROR_NO_SYSTEM_RESOURCES, FALSE);
  size->cx = layout->width;
  size->cy = layout->font.metrics.height;
  return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
  const auto dc = soft::FindDc(hdc);
  if (dc == nullptr) return soft::FailWith<BOOL>(ERROR_INVALID_HANDLE, FALSE);
  if (metrics == nullptr) return soft::FailWith<BOOL>(ERROR_INVALID_PARAMETER, FALSE);
  const LOGFONTA font = soft::SelectedFont(*dc);
  std::optional<soft::ResolvedFont> resolved = soft::ResolveFont(font);
  if (!resolved) return soft::FailWith<BOOL>(ERROR_NO_SYSTEM_RESOURCES, FALSE);
  // The system font reports the locale's own character set.
  const bool locale_charset = soft::SelectsSystemFont(*dc) && soft::DoubleByteLocale();
  *metrics = soft::Describe(*resolved, font,
                            locale_charset ? soft::SystemFontCharset() : soft::EffectiveCharset(font.lfCharSet));
  return TRUE;
}
