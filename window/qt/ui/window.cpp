#include "window/ui/window.h"

#include <QApplication>
#include <QPainter>
#include <QVariant>

#include <array>
#include <string>

#include "window/ui/gdi.h"
#include "window/qt/ui/accessible_window.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/registry.h"
#include "window/qt/ui/window_classes.h"

namespace window::ui {

using qt::FindRecord;
using qt::HandleOf;
using qt::WidgetOf;
using qt::WindowRecord;

namespace {

// System commands carry extra bits in their low four bits.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

QByteArray PropertyName(std::wstring_view name) {
    return QByteArray(qt::kPropertyPrefix) + qt::ToQString(name).toUtf8();
}

LRESULT HandleSystemCommand(WindowRecord& record, WPARAM command) {
    QWidget* widget = record.widget;
    if (!widget->isWindow()) return 0;
    switch (command & kSystemCommandMask) {
        case SC_CLOSE: widget->close(); break;
        case SC_MINIMIZE:
            if (record.style & WS_MINIMIZEBOX) widget->showMinimized();
            break;
        case SC_MAXIMIZE:
            if (record.style & WS_MAXIMIZEBOX) widget->showMaximized();
            break;
        case SC_RESTORE: widget->showNormal(); break;
        default: break;
    }
    return 0;
}

}  // namespace

namespace qt {

const CreatableClass* FindCreatableClass(std::wstring_view name) {
    static const std::array<CreatableClass, 4> classes = {{
        {&kUserControlClassInfo, &CreateUserControlWidget},
        {&kStaticClassInfo, &CreateStaticWidget},
        {&kToolTipClassInfo, &CreateToolTipWidget},
        {&kTabStripClassInfo, &CreateTabStripWidget},
    }};
    for (const CreatableClass& cls : classes) {
        if (cls.info->name == name) return &cls;
    }
    return nullptr;
}

}  // namespace qt

HWND CreateWindowEx(std::uint32_t exStyle, std::wstring_view className, std::wstring_view windowText,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent, std::intptr_t id,
                    std::wstring_view name) {
    const qt::CreatableClass* cls = qt::FindCreatableClass(className);
    if (!cls) return nullptr;
    QWidget* parentWidget = WidgetOf(parent);
    if ((style & WS_CHILD) && !parentWidget) return nullptr;
    QWidget* widget = cls->create((style & WS_CHILD) ? parentWidget : nullptr, style);
    const HWND window = qt::RegisterWindow(widget, *cls->info, style, exStyle, id);
    if (!name.empty()) widget->setObjectName(qt::ToQString(name));
    FindRecord(window)->text = std::wstring(windowText);
    if (!(style & WS_CHILD)) widget->setWindowTitle(qt::ToQString(windowText));
    if (x != CW_USEDEFAULT && width != CW_USEDEFAULT) widget->setGeometry(x, y, width, height);
    if (style & WS_DISABLED) widget->setEnabled(false);
    if (style & WS_VISIBLE) widget->show();
    return window;
}

bool DestroyWindow(HWND window) {
    WindowRecord* record = FindRecord(window);
    if (!record) return false;
    SendMessage(window, WM_DESTROY, 0, 0);
    QWidget* widget = WidgetOf(window);
    if (!widget) return true;
    qt::DetachWindow(widget);
    widget->hide();
    if (qt::ShouldDeleteLater()) widget->deleteLater();
    else delete widget;
    return true;
}

bool IsWindow(HWND window) { return FindRecord(window) != nullptr; }

HWND GetParent(HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget ? HandleOf(widget->parentWidget()) : nullptr;
}

HWND GetAncestor(HWND window, int flags) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return nullptr;
    if (flags == GA_ROOT) return HandleOf(widget->window());
    return HandleOf(widget->parentWidget());
}

std::wstring GetClassName(HWND window) {
    WindowRecord* record = FindRecord(window);
    return record ? std::wstring(record->windowClass->name) : std::wstring();
}

void SetWindowName(HWND window, std::wstring_view name) {
    if (QWidget* widget = WidgetOf(window)) widget->setObjectName(qt::ToQString(name));
}

WNDPROC SetWindowProc(HWND window, WNDPROC procedure) {
    WindowRecord* record = FindRecord(window);
    if (!record || !procedure) return nullptr;
    const WNDPROC previous = record->procedure;
    record->procedure = procedure;
    return previous;
}

WNDPROC GetWindowProc(HWND window) {
    WindowRecord* record = FindRecord(window);
    return record ? record->procedure : nullptr;
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!procedure) return 0;
    qt::MessageScope scope;
    return procedure(window, message, wParam, lParam);
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindRecord(window);
    if (!record || !record->procedure) return 0;
    qt::MessageScope scope;
    return record->procedure(window, message, wParam, lParam);
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindRecord(window);
    if (!record) return 0;
    QWidget* widget = record->widget;
    switch (message) {
        case WM_ERASEBKGND: {
            qt::DeviceContext* dc = qt::FindDeviceContext(reinterpret_cast<HDC>(wParam));
            if (!dc || !dc->painter) return 0;
            const QColor color = record->background ? qt::ToQColor(*record->background)
                                                    : widget->palette().color(QPalette::Window);
            dc->painter->fillRect(widget->rect(), color);
            return 1;
        }
        case WM_SYSCOMMAND: return HandleSystemCommand(*record, wParam);
        case WM_CLOSE: widget->close(); return 0;
        case WM_SETTEXT: {
            const auto* text = reinterpret_cast<const std::wstring*>(lParam);
            const bool changed = (text ? *text : std::wstring()) != record->text;
            record->text = text ? *text : std::wstring();
            if (widget->isWindow()) widget->setWindowTitle(qt::ToQString(record->text));
            widget->update();
            if (changed) qt::NotifyTextChanged(widget);
            return 1;
        }
        case WM_GETTEXT: {
            auto* out = reinterpret_cast<std::wstring*>(lParam);
            if (out) *out = record->text;
            return static_cast<LRESULT>(record->text.size());
        }
        case WM_SETFONT:
            record->font = reinterpret_cast<HFONT>(wParam);
            if (lParam) widget->update();
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(record->font);
        default: return 0;
    }
}

std::intptr_t GetWindowLongPtr(HWND window, int index) {
    WindowRecord* record = FindRecord(window);
    if (!record) return 0;
    switch (index) {
        case GWL_STYLE: {
            std::uint32_t style = record->style & ~(WS_VISIBLE | WS_DISABLED);
            if (!record->widget->isHidden()) style |= WS_VISIBLE;
            if (!record->widget->isEnabled()) style |= WS_DISABLED;
            return static_cast<std::intptr_t>(style);
        }
        case GWL_EXSTYLE: return static_cast<std::intptr_t>(record->exStyle);
        case GWLP_ID: return record->id;
        default: return 0;
    }
}

std::intptr_t SetWindowLongPtr(HWND window, int index, std::intptr_t value) {
    WindowRecord* record = FindRecord(window);
    if (!record) return 0;
    const std::intptr_t previous = GetWindowLongPtr(window, index);
    switch (index) {
        case GWL_STYLE:
            record->style = static_cast<std::uint32_t>(value);
            SendMessage(window, WM_STYLECHANGED, static_cast<WPARAM>(GWL_STYLE), 0);
            break;
        case GWL_EXSTYLE:
            record->exStyle = static_cast<std::uint32_t>(value);
            SendMessage(window, WM_STYLECHANGED, static_cast<WPARAM>(GWL_EXSTYLE), 0);
            break;
        case GWLP_ID: record->id = value; break;
        default: return 0;
    }
    return previous;
}

bool SetProp(HWND window, std::wstring_view name, HANDLE value) {
    QWidget* widget = WidgetOf(window);
    if (!widget || name.empty()) return false;
    widget->setProperty(PropertyName(name).constData(), QVariant::fromValue<qulonglong>(value));
    return true;
}

HANDLE GetProp(HWND window, std::wstring_view name) {
    QWidget* widget = WidgetOf(window);
    if (!widget || name.empty()) return 0;
    const QVariant value = widget->property(PropertyName(name).constData());
    return value.isValid() ? static_cast<HANDLE>(value.toULongLong()) : 0;
}

HANDLE RemoveProp(HWND window, std::wstring_view name) {
    const HANDLE value = GetProp(window, name);
    if (QWidget* widget = WidgetOf(window); widget && !name.empty()) {
        widget->setProperty(PropertyName(name).constData(), QVariant());
    }
    return value;
}

std::size_t GetPropCount(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return 0;
    std::size_t count = 0;
    for (const QByteArray& name : widget->dynamicPropertyNames()) {
        if (name.startsWith(qt::kPropertyPrefix)) ++count;
    }
    return count;
}

bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    widget->setGeometry(x, y, width, height);
    if (repaint) widget->update();
    return true;
}

bool GetClientRect(HWND window, RECT& rect) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    rect = {0, 0, widget->width(), widget->height()};
    return true;
}

bool GetWindowRect(HWND window, RECT& rect) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    const QRect g = widget->geometry();
    rect = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return true;
}

bool EnableWindow(HWND window, bool enable) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    widget->setEnabled(enable);
    return true;
}

bool IsWindowEnabled(HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget && widget->isEnabled();
}

bool ShowWindow(HWND window, int command) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    switch (command) {
        case SW_HIDE: widget->hide(); break;
        case SW_SHOWMINIMIZED: widget->showMinimized(); break;
        case SW_SHOWMAXIMIZED: widget->showMaximized(); break;
        case SW_SHOWNORMAL:
            if (widget->isWindow()) widget->showNormal();
            else widget->show();
            break;
        default: widget->show(); break;
    }
    return true;
}

bool IsWindowVisible(HWND window) {
    QWidget* widget = WidgetOf(window);
    return widget && widget->isVisible();
}

void BringWindowToTop(HWND window) {
    if (QWidget* widget = WidgetOf(window)) widget->raise();
}

void SendWindowToBack(HWND window) {
    if (QWidget* widget = WidgetOf(window)) widget->lower();
}

HWND SetFocus(HWND window) {
    const HWND previous = GetFocus();
    if (QWidget* widget = WidgetOf(window)) widget->setFocus(Qt::OtherFocusReason);
    return previous;
}

HWND GetFocus() { return HandleOf(QApplication::focusWidget()); }

bool InvalidateRect(HWND window, const RECT* rect, bool /*erase*/) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    if (rect) widget->update(QRect(rect->left, rect->top, rect->Width(), rect->Height()));
    else widget->update();
    return true;
}

bool UpdateWindow(HWND window) {
    QWidget* widget = WidgetOf(window);
    if (!widget) return false;
    widget->repaint();
    return true;
}

void SetWindowBackgroundColor(HWND window, COLORREF color) {
    WindowRecord* record = FindRecord(window);
    if (!record) return;
    record->background = color;
    record->widget->update();
}

std::size_t GetWindowCount() { return qt::WindowCount(); }

std::size_t GetTotalPropCount() {
    std::size_t total = 0;
    for (const HWND window : qt::AllWindows()) total += GetPropCount(window);
    return total;
}

}  // namespace window::ui
