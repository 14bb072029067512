#include "window/win32/ui/system_records.h"

#include <string>

#include "window/ui/tab_strip.h"
#include "window/ui/tooltip.h"

namespace window::ui::win32 {

namespace {

// The longest text read back from a tab or a tool.
constexpr std::size_t kTextLimit = 1024;

LRESULT Send(const WindowRecord& record, ::HWND window, UINT message, ::WPARAM wParam, const void* lParam) {
    return ::CallWindowProcA(record.systemProcedure, window, message, wParam,
                             reinterpret_cast<::LPARAM>(const_cast<void*>(lParam)));
}

std::optional<LRESULT> TabStripMessage(const WindowRecord& record, ::HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
    switch (message) {
        case TCM_INSERTITEM:
        case TCM_SETITEM: {
            const auto* item = reinterpret_cast<const TCITEM*>(lParam);
            if (!item) return 0;
            std::string text = AnsiText(item->text);
            ::TCITEMA system{};
            system.mask = item->mask & (TCIF_TEXT | TCIF_PARAM);
            system.pszText = text.data();
            system.lParam = item->lParam;
            return Send(record, window, message, wParam, &system);
        }
        case TCM_GETITEM: {
            auto* item = reinterpret_cast<TCITEM*>(lParam);
            if (!item) return 0;
            std::string text(kTextLimit, '\0');
            ::TCITEMA system{};
            system.mask = item->mask & (TCIF_TEXT | TCIF_PARAM);
            system.pszText = text.data();
            system.cchTextMax = static_cast<int>(text.size());
            const LRESULT found = Send(record, window, message, wParam, &system);
            if (found && (item->mask & TCIF_TEXT)) item->text = FromAnsi(system.pszText);
            if (found && (item->mask & TCIF_PARAM)) item->lParam = system.lParam;
            return found;
        }
        case TCM_GETITEMRECT:
        case TCM_ADJUSTRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect) return 0;
            ::RECT system = ToScreen(*rect);
            const LRESULT answer = Send(record, window, message, wParam, &system);
            *rect = ToDesign(system);
            return answer;
        }
        case TCM_SETITEMSIZE: {
            const ::LPARAM previous = ::CallWindowProcA(record.systemProcedure, window, message, wParam,
                                                        PointToScreen(lParam));
            return PointToDesign(previous);
        }
        case TCM_HITTEST: {
            auto* test = reinterpret_cast<TCHITTESTINFO*>(lParam);
            if (!test) return -1;
            ::TCHITTESTINFO system{{ScaleToScreen(test->pt.x), ScaleToScreen(test->pt.y)}, 0};
            const LRESULT index = Send(record, window, message, wParam, &system);
            test->flags = system.flags;
            return index;
        }
        default: return std::nullopt;
    }
}

std::optional<LRESULT> ToolTipMessage(const WindowRecord& record, ::HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    switch (message) {
        case TTM_ADDTOOL:
        case TTM_DELTOOL:
        case TTM_NEWTOOLRECT:
        case TTM_SETTOOLINFO:
        case TTM_GETTEXT: {
            auto* tool = reinterpret_cast<TOOLINFO*>(lParam);
            if (!tool) return 0;
            std::string text = message == TTM_GETTEXT ? std::string(kTextLimit, '\0') : AnsiText(tool->text);
            ::TTTOOLINFOA system{};
            system.cbSize = sizeof(system);
            system.uFlags = tool->flags;
            system.hwnd = Native(tool->hwnd);
            system.uId = tool->uId;
            system.rect = ToScreen(tool->rect);
            system.hinst = Instance();
            system.lpszText = text.data();
            const LRESULT answer = Send(record, window, message, wParam, &system);
            if (message == TTM_GETTEXT) tool->text = FromAnsi(text.c_str());
            return answer;
        }
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<LRESULT> SendRecordMessage(const WindowRecord& record, ::HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    if (record.className == WC_TABCONTROL) return TabStripMessage(record, window, message, wParam, lParam);
    if (record.className == TOOLTIPS_CLASS) return ToolTipMessage(record, window, message, wParam, lParam);
    return std::nullopt;
}

}  // namespace window::ui::win32
