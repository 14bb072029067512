#pragma once
// Internal: the objects behind font, brush and device-context handles.

#include <QColor>
#include <QFont>

#include <memory>

#include "window/ui/gdi.h"

class QImage;
class QPainter;
class QPaintDevice;

namespace window::ui::qt {

struct FontObject {
    LOGFONT logFont;
    QFont font;
};

struct BrushObject {
    COLORREF color = 0;
};

struct DeviceContext {
    HWND window = nullptr;
    QPainter* painter = nullptr;  // null: measures only
    QPaintDevice* device = nullptr;
    HFONT font = nullptr;
    COLORREF textColor = 0;
    COLORREF backColor = RGB(255, 255, 255);
    int backMode = OPAQUE;
    std::unique_ptr<QPainter> ownedPainter;
};

// `painter` may be null; `device` gives the dots per inch.
HDC NewDeviceContext(HWND window, QPainter* painter, QPaintDevice* device);
// Draws into `image` until deleted; for tests and off-screen pictures.
HDC NewImageDeviceContext(QImage& image);
void DeleteDeviceContext(HDC dc);
DeviceContext* FindDeviceContext(HDC dc);
FontObject* FindFont(HFONT font);

QFont MakeQFont(const LOGFONT& font);
// The font a device context draws with: the selected one, else the
// toolkit's default for the window.
QFont FontOf(const DeviceContext& dc);

inline QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }
inline COLORREF FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

}  // namespace window::ui::qt
