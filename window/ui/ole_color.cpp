// An OLE_COLOR is an RGB value (high byte 0, or 2 for a palette's nearest
// colour, which a true-colour screen shows as the RGB value itself) or a
// system colour (high byte 0x80, the index in the low byte).
#include "window/ui/gdi.h"

namespace window::ui {

std::int32_t OleTranslateColor(OLE_COLOR color, HPALETTE /*palette*/, COLORREF* out) {
    constexpr std::uint32_t kKindMask = 0xFF000000;
    constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
    constexpr std::uint32_t kSystemColor = 0x80000000;
    constexpr std::uint32_t kPaletteRgb = 0x02000000;
    constexpr std::uint32_t kSystemIndexMask = 0x000000FF;
    COLORREF result = 0;
    switch (color & kKindMask) {
        case 0:
        case kPaletteRgb: result = color & kRgbMask; break;
        case kSystemColor: {
            if (color & (kRgbMask & ~kSystemIndexMask)) return E_INVALIDARG;
            const int index = static_cast<int>(color & kSystemIndexMask);
            if (index > COLOR_MENUBAR) return E_INVALIDARG;
            result = GetSysColor(index);
            break;
        }
        default: return E_INVALIDARG;
    }
    if (out) *out = result;
    return S_OK;
}

}  // namespace window::ui
