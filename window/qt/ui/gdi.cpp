#include "window/ui/gdi.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <array>
#include <unordered_map>
#include <variant>

#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/registry.h"
#include "window/qt/ui/text_drawing.h"

namespace window::ui {

namespace qt {

namespace {

using GdiObject = std::variant<FontObject, BrushObject, DeviceContext>;

struct GdiTable {
    std::unordered_map<std::uintptr_t, GdiObject> objects;
    std::uintptr_t next = 1;
};

GdiTable& Table() {
    static GdiTable table;
    return table;
}

template <typename T>
T* Find(const void* handle) {
    GdiTable& table = Table();
    auto found = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == table.objects.end()) return nullptr;
    return std::get_if<T>(&found->second);
}

std::uintptr_t Add(GdiObject object) {
    GdiTable& table = Table();
    const std::uintptr_t key = table.next++;
    table.objects.emplace(key, std::move(object));
    return key;
}

template <typename T>
bool Remove(const void* handle) {
    if (!Find<T>(handle)) return false;
    Table().objects.erase(reinterpret_cast<std::uintptr_t>(handle));
    return true;
}

// Pixel size of the character (em) for a cell height: the font's ascent and
// descent together make the cell.
int EmForCellHeight(const QFont& font, int cellHeight) {
    constexpr int kProbeSize = 100;
    QFont probe(font);
    probe.setPixelSize(kProbeSize);
    const QFontMetricsF metrics(probe);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) return cellHeight;
    return std::max(1, qRound(cellHeight * kProbeSize / cell));
}

// Without a height the font is the size of the dialog font.
constexpr int kDefaultEmPixels = 11;

}  // namespace

HDC NewDeviceContext(HWND window, QPainter* painter, QPaintDevice* device) {
    DeviceContext dc;
    dc.window = window;
    dc.painter = painter;
    dc.device = device;
    return reinterpret_cast<HDC>(Add(std::move(dc)));
}

HDC NewImageDeviceContext(QImage& image) {
    DeviceContext dc;
    dc.device = &image;
    dc.ownedPainter = std::make_unique<QPainter>(&image);
    dc.painter = dc.ownedPainter.get();
    return reinterpret_cast<HDC>(Add(std::move(dc)));
}

void DeleteDeviceContext(HDC dc) { Remove<DeviceContext>(dc); }

DeviceContext* FindDeviceContext(HDC dc) { return Find<DeviceContext>(dc); }

FontObject* FindFont(HFONT font) { return Find<FontObject>(font); }

QFont MakeQFont(const LOGFONT& logFont) {
    EnsureToolkitSettings();
    QFont font(ToQString(logFont.lfFaceName));
    font.setStretch(DesignFaceStretch(font.family()));
    if (logFont.lfHeight < 0) font.setPixelSize(-logFont.lfHeight);
    else if (logFont.lfHeight > 0) font.setPixelSize(EmForCellHeight(font, logFont.lfHeight));
    else font.setPixelSize(kDefaultEmPixels);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(logFont.lfWeight == 0 ? FW_NORMAL : logFont.lfWeight, 1, 1000)));
    font.setItalic(logFont.lfItalic);
    font.setUnderline(logFont.lfUnderline);
    font.setStrikeOut(logFont.lfStrikeOut);
    return font;
}

QFont FontOf(const DeviceContext& dc) {
    if (const FontObject* font = FindFont(dc.font)) return font->font;
    if (QWidget* widget = WidgetOf(dc.window)) return widget->font();
    return QApplication::font();
}

}  // namespace qt

HFONT CreateFontIndirect(const LOGFONT& font) {
    qt::FontObject object{font, qt::MakeQFont(font)};
    return reinterpret_cast<HFONT>(qt::Add(std::move(object)));
}

bool GetObject(HFONT font, LOGFONT& out) {
    const qt::FontObject* object = qt::FindFont(font);
    if (!object) return false;
    out = object->logFont;
    return true;
}

HBRUSH CreateSolidBrush(COLORREF color) { return reinterpret_cast<HBRUSH>(qt::Add(qt::BrushObject{color})); }

bool DeleteObject(HFONT font) { return qt::Remove<qt::FontObject>(font); }

bool DeleteObject(HBRUSH brush) { return qt::Remove<qt::BrushObject>(brush); }

HDC GetDC(HWND window) {
    qt::WindowRecord* record = qt::FindRecord(window);
    if (!record) return nullptr;
    return qt::NewDeviceContext(window, record->painter, record->widget);
}

bool ReleaseDC(HWND /*window*/, HDC dc) { return qt::Remove<qt::DeviceContext>(dc); }

HDC BeginPaint(HWND window, PAINTSTRUCT& paint) {
    paint.hdc = GetDC(window);
    paint.rcPaint = {};
    if (QWidget* widget = qt::WidgetOf(window)) paint.rcPaint = {0, 0, widget->width(), widget->height()};
    return paint.hdc;
}

void EndPaint(HWND window, const PAINTSTRUCT& paint) { ReleaseDC(window, paint.hdc); }

int GetDeviceCaps(HDC dc, int index) {
    const qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context || !context->device) return 0;
    switch (index) {
        case LOGPIXELSX: return context->device->logicalDpiX();
        case LOGPIXELSY: return context->device->logicalDpiY();
        default: return 0;
    }
}

HFONT SelectObject(HDC dc, HFONT font) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context) return nullptr;
    const HFONT previous = context->font;
    context->font = font;
    return previous;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context) return 0;
    const COLORREF previous = context->textColor;
    context->textColor = color;
    return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context) return 0;
    const COLORREF previous = context->backColor;
    context->backColor = color;
    return previous;
}

int SetBkMode(HDC dc, int mode) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    const int previous = context->backMode;
    context->backMode = mode;
    return previous;
}

bool FillRect(HDC dc, const RECT& rect, HBRUSH brush) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    const qt::BrushObject* object = qt::Find<qt::BrushObject>(brush);
    if (!context || !object || !context->painter) return false;
    if (rect.IsEmpty()) return true;
    context->painter->fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), qt::ToQColor(object->color));
    return true;
}

namespace {

// One border line of DrawEdge: `topLeft` colours the top and left sides,
// `bottomRight` the bottom and right ones, which run the full length.
void DrawBorder(QPainter& painter, const RECT& r, unsigned sides, COLORREF topLeft, COLORREF bottomRight) {
    const QColor light = qt::ToQColor(topLeft);
    const QColor dark = qt::ToQColor(bottomRight);
    const int width = r.Width();
    const int height = r.Height();
    if (width <= 0 || height <= 0) return;
    if (sides & BF_TOP) painter.fillRect(QRect(r.left, r.top, width - 1, 1), light);
    if (sides & BF_LEFT) painter.fillRect(QRect(r.left, r.top, 1, height - 1), light);
    if (sides & BF_BOTTOM) painter.fillRect(QRect(r.left, r.bottom - 1, width, 1), dark);
    if (sides & BF_RIGHT) painter.fillRect(QRect(r.right - 1, r.top, 1, height), dark);
}

void Shrink(RECT& r, unsigned sides) {
    if (sides & BF_LEFT) ++r.left;
    if (sides & BF_TOP) ++r.top;
    if (sides & BF_RIGHT) --r.right;
    if (sides & BF_BOTTOM) --r.bottom;
}

}  // namespace

bool DrawEdge(HDC dc, RECT& rect, unsigned edge, unsigned flags) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context || !context->painter) return false;
    const unsigned sides = flags & BF_RECT;
    RECT r = rect;
    const unsigned outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    const unsigned inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (outer == BDR_SUNKENOUTER) DrawBorder(*context->painter, r, sides, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (outer == BDR_RAISEDOUTER) DrawBorder(*context->painter, r, sides, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    if (outer) Shrink(r, sides);
    if (inner == BDR_SUNKENINNER) DrawBorder(*context->painter, r, sides, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    else if (inner == BDR_RAISEDINNER) DrawBorder(*context->painter, r, sides, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    if (inner) Shrink(r, sides);
    if (flags & BF_ADJUST) rect = r;
    return true;
}

int DrawText(HDC dc, std::wstring_view text, RECT& rect, unsigned format) {
    qt::DeviceContext* context = qt::FindDeviceContext(dc);
    if (!context) return 0;
    qt::TextStyle style;
    style.font = qt::FontOf(*context);
    style.color = qt::ToQColor(context->textColor);
    if (context->backMode == OPAQUE) style.background = qt::ToQColor(context->backColor);
    return qt::DrawFormattedText(context->painter, context->device, style, text, rect, format);
}

COLORREF GetSysColor(int index) {
    const QPalette palette = QGuiApplication::palette();
    const auto role = [&](QPalette::ColorRole r) { return qt::FromQColor(palette.color(QPalette::Active, r)); };
    switch (index) {
        case COLOR_SCROLLBAR: return role(QPalette::Midlight);
        case COLOR_BACKGROUND:
        case COLOR_APPWORKSPACE: return role(QPalette::Dark);
        case COLOR_ACTIVECAPTION:
        case COLOR_HIGHLIGHT:
        case COLOR_MENUHILIGHT: return role(QPalette::Highlight);
        case COLOR_GRADIENTACTIVECAPTION: return qt::FromQColor(palette.color(QPalette::Highlight).lighter(150));
        case COLOR_INACTIVECAPTION:
        case COLOR_GRADIENTINACTIVECAPTION: return role(QPalette::Mid);
        case COLOR_MENU:
        case COLOR_MENUBAR: return role(QPalette::Window);
        case COLOR_WINDOW: return role(QPalette::Base);
        case COLOR_WINDOWFRAME:
        case COLOR_3DDKSHADOW: return role(QPalette::Shadow);
        case COLOR_MENUTEXT:
        case COLOR_INACTIVECAPTIONTEXT: return role(QPalette::WindowText);
        case COLOR_WINDOWTEXT: return role(QPalette::Text);
        case COLOR_CAPTIONTEXT:
        case COLOR_HIGHLIGHTTEXT: return role(QPalette::HighlightedText);
        case COLOR_ACTIVEBORDER:
        case COLOR_INACTIVEBORDER:
        case COLOR_BTNFACE: return role(QPalette::Button);
        case COLOR_BTNSHADOW: return role(QPalette::Dark);
        case COLOR_GRAYTEXT: return qt::FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
        case COLOR_BTNTEXT: return role(QPalette::ButtonText);
        case COLOR_BTNHIGHLIGHT: return role(QPalette::Light);
        case COLOR_3DLIGHT: return role(QPalette::Midlight);
        case COLOR_INFOTEXT: return role(QPalette::ToolTipText);
        case COLOR_INFOBK: return role(QPalette::ToolTipBase);
        case COLOR_HOTLIGHT: return role(QPalette::Link);
        default: return 0;
    }
}

std::size_t GetGdiObjectCount() { return qt::Table().objects.size(); }

}  // namespace window::ui
