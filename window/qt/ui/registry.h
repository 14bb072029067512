#pragma once
// Internal to the window layer: the table that turns window handles into
// widgets, and the bridge that turns a widget's toolkit events into messages
// for its window procedure chain.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/ui/types.h"

class QPainter;

namespace window::ui::qt {

// How a class of windows behaves towards the toolkit.
struct WindowClassInfo {
    std::wstring_view name;
    WNDPROC procedure = nullptr;  // the class's own behaviour, bottom of every chain
    bool doubleClicks = false;    // a double click arrives as WM_LBUTTONDBLCLK, else as a second button-down
    bool ownsInput = false;       // mouse and key input ends here instead of reaching the widget's parent
    bool mouseMoves = false;      // WM_MOUSEMOVE and WM_MOUSELEAVE are sent
};

struct WindowRecord {
    HWND handle = nullptr;
    QWidget* widget = nullptr;
    const WindowClassInfo* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::intptr_t id = 0;
    QPainter* painter = nullptr;  // while the window paints
    std::optional<COLORREF> background;
    HFONT font = nullptr;
    std::wstring text;
    HMENU systemMenu = nullptr;
    QObject* bridge = nullptr;
    HWND labelledBy = nullptr;  // the window whose text names this one (SetLabelledBy)
};

// Gives `widget` a handle and a procedure chain that starts with the class's
// procedure. The widget must call DetachWindow from its destructor (the
// Hosted template does).
HWND RegisterWindow(QWidget* widget, const WindowClassInfo& windowClass, std::uint32_t style,
                    std::uint32_t exStyle = 0, std::intptr_t id = 0);
// Forgets the widget's window and those of its descendants: the handles stop
// being valid, their properties and menus go with them.
void DetachWindow(QWidget* widget);

WindowRecord* FindRecord(HWND window);
QWidget* WidgetOf(HWND window);
HWND HandleOf(const QWidget* widget);
template <typename W>
W* WidgetAs(HWND window) {
    return dynamic_cast<W*>(WidgetOf(window));
}

// Paints the window by sending WM_ERASEBKGND and WM_PAINT with a device
// context over a painter on the widget. Call from paintEvent.
void PaintThroughMessages(QWidget* widget);

// True while any window procedure runs.
bool InsideMessage();
// Counts a window procedure as running for its lifetime.
struct MessageScope {
    MessageScope();
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;
};
// Whether a widget destroyed now may still be handling an event (a window
// procedure runs, or an event loop does): then it is deleted once control
// returns to the loop instead of at once.
bool ShouldDeleteLater();

std::size_t WindowCount();
std::vector<HWND> AllWindows();

// Window properties are dynamic properties of the widget under this prefix,
// apart from the toolkit's own.
inline constexpr char kPropertyPrefix[] = "winprop:";

QString ToQString(std::wstring_view text);
std::wstring ToWString(const QString& text);

// Makes sure the toolkit's settings the layer relies on are in place (font
// substitutes for the faces forms ask for). Idempotent.
void EnsureToolkitSettings();
// The width, in percent, that a face asked for is drawn at in its substitute
// (QFont::setStretch): 100 but for faces whose substitutes are wider.
int DesignFaceStretch(const QString& face);

// A widget that belongs to a window: forgets the window when it goes.
template <typename W>
class Hosted : public W {
public:
    using W::W;
    ~Hosted() override { DetachWindow(this); }
};

// A window that paints and takes input through its procedure chain.
class HostWidget : public Hosted<QWidget> {
public:
    explicit HostWidget(QWidget* parent) : Hosted<QWidget>(parent) {}

protected:
    void paintEvent(QPaintEvent*) override { PaintThroughMessages(this); }
};

}  // namespace window::ui::qt
