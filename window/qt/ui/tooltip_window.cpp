// The tooltip class: a list of tools (rectangles of other windows with a
// text) and, for tools with TTF_SUBCLASS, a watch on their windows that shows
// the text when the toolkit asks for a tooltip there.

#include <QHelpEvent>
#include <QToolTip>
#include <QTextDocument>

#include <algorithm>
#include <vector>

#include "window/qt/ui/window_classes.h"
#include "window/ui/tooltip.h"
#include "window/ui/window.h"

namespace window::ui::qt {

namespace {

class ToolTipWidget : public HostWidget {
public:
    ToolTipWidget() : HostWidget(nullptr) { setAttribute(Qt::WA_DontShowOnScreen); }

    bool active = true;
    std::vector<TOOLINFO> tools;

    std::vector<TOOLINFO>::iterator Find(HWND window, std::uintptr_t id) {
        return std::find_if(tools.begin(), tools.end(), [&](const TOOLINFO& t) { return t.hwnd == window && t.uId == id; });
    }

    void Watch(HWND window) {
        QWidget* watched = WidgetOf(window);
        if (!watched || watchedWindows_.contains(watched)) return;
        watchedWindows_.append(watched);
        watched->installEventFilter(this);
        watched->setAttribute(Qt::WA_AlwaysShowToolTips, (FindRecord(HandleOf(this))->style & TTS_ALWAYSTIP) != 0);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        auto* widget = qobject_cast<QWidget*>(object);
        const HWND window = HandleOf(widget);
        if (!widget || !window) return false;
        auto* help = static_cast<QHelpEvent*>(event);
        const POINT point{help->pos().x(), help->pos().y()};
        for (const TOOLINFO& tool : tools) {
            if (tool.hwnd != window || !(tool.flags & TTF_SUBCLASS) || !tool.rect.Contains(point)) continue;
            if (!active || tool.text.empty()) break;
            QString text = ToQString(tool.text);
            // Shown as plain text even when it looks like markup.
            if (Qt::mightBeRichText(text)) text = Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
            const QRect area(tool.rect.left, tool.rect.top, tool.rect.Width(), tool.rect.Height());
            QToolTip::showText(help->globalPos(), text, widget, area);
            return true;
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }

private:
    QList<QPointer<QWidget>> watchedWindows_;
};

LRESULT ToolTipProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* widget = WidgetAs<ToolTipWidget>(window);
    if (!widget) return 0;
    const auto* in = reinterpret_cast<const TOOLINFO*>(lParam);
    switch (message) {
        case TTM_ACTIVATE:
            widget->active = wParam != 0;
            if (!widget->active) QToolTip::hideText();
            return 0;
        case TTM_ADDTOOL:
            if (!in || !IsWindow(in->hwnd) || widget->Find(in->hwnd, in->uId) != widget->tools.end()) return 0;
            widget->tools.push_back(*in);
            if (in->flags & TTF_SUBCLASS) widget->Watch(in->hwnd);
            return 1;
        case TTM_DELTOOL:
            if (in) {
                if (auto found = widget->Find(in->hwnd, in->uId); found != widget->tools.end()) widget->tools.erase(found);
            }
            return 0;
        case TTM_NEWTOOLRECT:
            if (in) {
                if (auto found = widget->Find(in->hwnd, in->uId); found != widget->tools.end()) found->rect = in->rect;
            }
            return 0;
        case TTM_SETTOOLINFO:
            if (in) {
                if (auto found = widget->Find(in->hwnd, in->uId); found != widget->tools.end()) {
                    *found = *in;
                    if (in->flags & TTF_SUBCLASS) widget->Watch(in->hwnd);
                }
            }
            return 0;
        case TTM_GETTEXT: {
            auto* out = reinterpret_cast<TOOLINFO*>(lParam);
            if (!out) return 0;
            auto found = widget->Find(out->hwnd, out->uId);
            out->text = found != widget->tools.end() ? found->text : std::wstring();
            return 0;
        }
        case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(widget->tools.size());
        default: return DefWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace

const WindowClassInfo kToolTipClassInfo{
    .name = TOOLTIPS_CLASS,
    .procedure = &ToolTipProcedure,
};

QWidget* CreateToolTipWidget(QWidget* /*parent*/, std::uint32_t /*style*/) { return new ToolTipWidget(); }

}  // namespace window::ui::qt
