#include "window/qt/ui/registry.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QThread>

#include <unordered_map>
#include <vector>

#include "window/ui/gdi.h"
#include "window/ui/internal/focus_marks.h"
#include "window/ui/menu.h"
#include "window/qt/ui/accessible_window.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/qt/ui/menu_model.h"
#include "window/qt/ui/virtual_keys.h"
#include "window/ui/window.h"

namespace window::ui::qt {

namespace {

struct Registry {
    std::unordered_map<std::uintptr_t, WindowRecord> records;
    std::unordered_map<const QWidget*, HWND> handles;
    std::uintptr_t nextHandle = 1;
};

Registry& Table() {
    static Registry registry;
    return registry;
}

int g_messageDepth = 0;
HWND g_focusLeaving = nullptr;

std::uintptr_t Key(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

WPARAM MouseKeyState(const QMouseEvent& event) {
    WPARAM state = 0;
    if (event.buttons() & Qt::LeftButton) state |= MK_LBUTTON;
    if (event.buttons() & Qt::RightButton) state |= MK_RBUTTON;
    if (event.modifiers() & Qt::ShiftModifier) state |= MK_SHIFT;
    if (event.modifiers() & Qt::ControlModifier) state |= MK_CONTROL;
    return state;
}

LPARAM MousePosition(const QMouseEvent& event) {
    const QPoint p = event.position().toPoint();
    return MAKELPARAM(p.x(), p.y());
}

UINT ButtonMessage(Qt::MouseButton button, QEvent::Type type, bool doubleClicks) {
    const bool left = button == Qt::LeftButton;
    if (!left && button != Qt::RightButton) return WM_NULL;
    switch (type) {
        case QEvent::MouseButtonPress: return left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        case QEvent::MouseButtonRelease: return left ? WM_LBUTTONUP : WM_RBUTTONUP;
        case QEvent::MouseButtonDblClick:
            if (doubleClicks) return left ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
            return left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        default: return WM_NULL;
    }
}

bool IsInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease: return true;
        default: return false;
    }
}

// The form shows focus marks from the first key that moves about in it on
// (window/ui/internal/focus_marks.h); Qt keeps that on the top-level widget,
// where its styles look for it too.
void NoteKey(QWidget* focused, const QKeyEvent& key) {
    QWidget* form = focused->window();
    if (form->testAttribute(Qt::WA_KeyboardFocusChange)) return;
    if (!KeyStartsFocusMarks(VirtualKeyOf(key), key.modifiers().testFlag(Qt::ControlModifier))) return;
    form->setAttribute(Qt::WA_KeyboardFocusChange);
    focused->update();
}

// Turns the toolkit events of one widget into messages for its window.
class MessageBridge : public QObject {
public:
    explicit MessageBridge(HWND window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        WindowRecord* record = FindRecord(window_);
        if (!record || watched != record->widget) return false;
        const WindowClassInfo& cls = *record->windowClass;
        // A disabled window gets no input, as the toolkit's own handling agrees.
        if (IsInput(event->type()) && !record->widget->isEnabled()) return false;
        switch (event->type()) {
            case QEvent::FocusIn: {
                const HWND previous = g_focusLeaving;
                g_focusLeaving = nullptr;
                SendMessage(window_, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
                return false;
            }
            case QEvent::FocusOut:
                g_focusLeaving = window_;
                SendMessage(window_, WM_KILLFOCUS, reinterpret_cast<WPARAM>(HandleOf(QApplication::focusWidget())), 0);
                return false;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                const UINT message = ButtonMessage(mouse->button(), event->type(), cls.doubleClicks);
                if (message != WM_NULL) SendMessage(window_, message, MouseKeyState(*mouse), MousePosition(*mouse));
                return Consume(event, cls.ownsInput);
            }
            case QEvent::MouseMove:
                if (cls.mouseMoves) {
                    auto* mouse = static_cast<QMouseEvent*>(event);
                    SendMessage(window_, WM_MOUSEMOVE, MouseKeyState(*mouse), MousePosition(*mouse));
                }
                return Consume(event, cls.ownsInput);
            case QEvent::Leave:
                if (cls.mouseMoves) SendMessage(window_, WM_MOUSELEAVE, 0, 0);
                return false;
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                if (!record->widget->hasFocus()) return false;
                auto* key = static_cast<QKeyEvent*>(event);
                if (event->type() == QEvent::KeyPress) NoteKey(record->widget, *key);
                const MSG message = KeyMessageOf(window_, *key);
                SendMessage(window_, message.message, message.wParam, message.lParam);
                // Tab and Shift+Tab keep moving the focus between controls.
                const bool focusKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
                return Consume(event, cls.ownsInput && !focusKey);
            }
            case QEvent::Resize: {
                const QSize size = record->widget->size();
                SendMessage(window_, WM_SIZE, 0, MAKELPARAM(size.width(), size.height()));
                return false;
            }
            case QEvent::EnabledChange:
                SendMessage(window_, WM_ENABLE, record->widget->isEnabled() ? 1 : 0, 0);
                return false;
            default:
                return false;
        }
    }

private:
    static bool Consume(QEvent* event, bool consume) {
        if (!consume) return false;
        event->accept();
        return true;
    }

    HWND window_;
};

bool DeleteNow() {
    return g_messageDepth == 0 && QThread::currentThread()->loopLevel() == 0;
}

}  // namespace

HWND RegisterWindow(QWidget* widget, const WindowClassInfo& windowClass, std::uint32_t style, std::uint32_t exStyle,
                    std::intptr_t id) {
    EnsureToolkitSettings();
    EnsureAccessibility();
    Registry& table = Table();
    const HWND handle = reinterpret_cast<HWND>(table.nextHandle++);
    WindowRecord record;
    record.handle = handle;
    record.widget = widget;
    record.windowClass = &windowClass;
    record.procedure = windowClass.procedure;
    record.style = style;
    record.exStyle = exStyle;
    record.id = id;
    auto* bridge = new MessageBridge(handle);
    record.bridge = bridge;
    table.records.emplace(Key(handle), std::move(record));
    table.handles[widget] = handle;
    widget->installEventFilter(bridge);
    if (windowClass.mouseMoves) widget->setMouseTracking(true);
    if (widget->isWindow() && (style & WS_SYSMENU)) {
        // Alt+Space as on Windows; many window managers keep Alt+Space for
        // their own menu, so the menu key and Shift+F10 open it too.
        for (const QKeySequence& keys : {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::Key_Menu),
                                        QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
            auto* shortcut = new QShortcut(keys, widget);
            shortcut->setContext(Qt::WindowShortcut);
            QObject::connect(shortcut, &QShortcut::activated, widget, [handle] { ShowWindowMenu(handle, POINT{0, 0}); });
        }
    }
    return handle;
}

void DetachWindow(QWidget* widget) {
    Registry& table = Table();
    std::vector<HWND> doomed;
    for (const auto& [key, record] : table.records) {
        if (record.widget == widget || widget->isAncestorOf(record.widget)) doomed.push_back(record.handle);
    }
    for (const HWND handle : doomed) {
        auto found = table.records.find(Key(handle));
        if (found == table.records.end()) continue;
        WindowRecord& record = found->second;
        ForgetMenusOf(handle);
        if (record.bridge) {
            record.widget->removeEventFilter(record.bridge);
            if (DeleteNow()) delete record.bridge;
            else record.bridge->deleteLater();
        }
        for (const QByteArray& name : record.widget->dynamicPropertyNames()) {
            if (name.startsWith(kPropertyPrefix)) record.widget->setProperty(name.constData(), QVariant());
        }
        table.handles.erase(record.widget);
        table.records.erase(found);
        if (g_focusLeaving == handle) g_focusLeaving = nullptr;
    }
}

WindowRecord* FindRecord(HWND window) {
    if (!window) return nullptr;
    Registry& table = Table();
    auto found = table.records.find(Key(window));
    return found == table.records.end() ? nullptr : &found->second;
}

QWidget* WidgetOf(HWND window) {
    WindowRecord* record = FindRecord(window);
    return record ? record->widget : nullptr;
}

HWND HandleOf(const QWidget* widget) {
    if (!widget) return nullptr;
    Registry& table = Table();
    auto found = table.handles.find(widget);
    return found == table.handles.end() ? nullptr : found->second;
}

std::size_t WindowCount() { return Table().records.size(); }

std::vector<HWND> AllWindows() {
    std::vector<HWND> all;
    for (const auto& [key, record] : Table().records) all.push_back(record.handle);
    return all;
}

void PaintThroughMessages(QWidget* widget) {
    const HWND window = HandleOf(widget);
    if (!window) return;
    QPainter painter(widget);
    FindRecord(window)->painter = &painter;
    const HDC dc = NewDeviceContext(window, &painter, widget);
    SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    DeleteDeviceContext(dc);
    if (FindRecord(window)) SendMessage(window, WM_PAINT, 0, 0);
    if (WindowRecord* record = FindRecord(window)) record->painter = nullptr;
}

bool InsideMessage() { return g_messageDepth > 0; }

bool ShouldDeleteLater() { return !DeleteNow(); }

MessageScope::MessageScope() { ++g_messageDepth; }
MessageScope::~MessageScope() { --g_messageDepth; }

QString ToQString(std::wstring_view text) {
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::wstring ToWString(const QString& text) { return text.toStdWString(); }

void EnsureToolkitSettings() {
    static bool done = false;
    if (done) return;
    done = true;
    // Faces the forms were designed with, mapped to look-alikes a Linux
    // desktop has: narrow sans faces for the dialog font, the humanist sans
    // for the header's face.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                                         QStringLiteral("Nimbus Sans")});
}

int DesignFaceStretch(const QString& face) {
    // The dialog font the forms were laid out in has narrower letters than
    // Arial, whose widths Liberation Sans copies, at the same height: at 8.25
    // points the longest caption, "Vernieuwingsfrequentie:", is 117 pixels in
    // Liberation Sans for a label of 113. Narrowed by 4 % its substitute sets
    // every caption within its label, as the design has it.
    constexpr int kDialogFontStretch = 96;
    for (const char* dialogFace : {"MS Sans Serif", "Microsoft Sans Serif"})
        if (face.compare(QLatin1String(dialogFace), Qt::CaseInsensitive) == 0) return kDialogFontStretch;
    return QFont::Unstretched;
}

}  // namespace window::ui::qt
