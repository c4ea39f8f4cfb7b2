// The user32 calls that report the desktop's colours and measures.
#include <array>

#include "platform/soft/kernel/system_info.h"
#include "platform/soft/window/window_object.h"

namespace soft {
namespace {

// The desktop's default colours, indexed by COLOR_* (red in the low byte).
constexpr std::array<COLORREF, COLOR_MENUBAR + 1> kSystemColors = {
    0xC8C8C8,  // COLOR_SCROLLBAR
    0x000000,  // COLOR_BACKGROUND
    0xD1B499,  // COLOR_ACTIVECAPTION
    0xDBCDBF,  // COLOR_INACTIVECAPTION
    0xF0F0F0,  // COLOR_MENU
    0xFFFFFF,  // COLOR_WINDOW
    0x646464,  // COLOR_WINDOWFRAME
    0x000000,  // COLOR_MENUTEXT
    0x000000,  // COLOR_WINDOWTEXT
    0x000000,  // COLOR_CAPTIONTEXT
    0xB4B4B4,  // COLOR_ACTIVEBORDER
    0xFCF7F4,  // COLOR_INACTIVEBORDER
    0xABABAB,  // COLOR_APPWORKSPACE
    0xFF9933,  // COLOR_HIGHLIGHT
    0xFFFFFF,  // COLOR_HIGHLIGHTTEXT
    0xF0F0F0,  // COLOR_BTNFACE
    0xA0A0A0,  // COLOR_BTNSHADOW
    0x6D6D6D,  // COLOR_GRAYTEXT
    0x000000,  // COLOR_BTNTEXT
    0x000000,  // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF,  // COLOR_BTNHIGHLIGHT
    0x696969,  // COLOR_3DDKSHADOW
    0xE3E3E3,  // COLOR_3DLIGHT
    0x000000,  // COLOR_INFOTEXT
    0xE1FFFF,  // COLOR_INFOBK
    0x000000,  // (no colour has index 25)
    0xCC6600,  // COLOR_HOTLIGHT
    0xEAD1B9,  // COLOR_GRADIENTACTIVECAPTION
    0xF2E4D7,  // COLOR_GRADIENTINACTIVECAPTION
    0xFF9933,  // COLOR_MENUHILIGHT
    0xF0F0F0,  // COLOR_MENUBAR
};

}  // namespace

}  // namespace soft

DWORD GetSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(soft::kSystemColors.size())) return 0;
  return soft::kSystemColors[static_cast<std::size_t>(index)];
}

int GetSystemMetrics(int index) {
  if (index == SM_DBCSENABLED) return soft::DoubleByteLocale() ? 1 : 0;
  if (index == SM_CXMINIMIZED) return soft::kMinimisedWidth;
  if (index == SM_CYMINIMIZED) return soft::kMinimisedHeight;
  return 0;
}
