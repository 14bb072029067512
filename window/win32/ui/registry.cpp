#include "window/win32/ui/registry.h"

#include <map>

#include "window/ui/window.h"

namespace window::ui::win32 {

namespace {

// Every window the toolkit made, by its handle. Only the thread of the
// windows uses it.
std::map<::HWND, WindowRecord>& Records() {
    static std::map<::HWND, WindowRecord> records;
    return records;
}

}  // namespace

void Register(::HWND window, std::wstring_view className, WNDPROC classProcedure, bool systemControl) {
    WindowRecord& record = Records()[window];
    record.className = std::wstring(className);
    record.procedure = classProcedure;
    record.classProcedure = classProcedure;
    record.systemControl = systemControl;
    record.systemProcedure = reinterpret_cast<::WNDPROC>(::GetWindowLongPtrA(window, GWLP_WNDPROC));
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Dispatch));
}

WindowRecord* RecordOf(::HWND window) {
    if (!window) return nullptr;
    auto found = Records().find(window);
    return found == Records().end() ? nullptr : &found->second;
}

WindowRecord* RecordOf(HWND window) { return RecordOf(Native(window)); }

void Forget(::HWND window) {
    Records().erase(window);
    // A tie to a window that is gone is gone with it.
    for (auto& [handle, record] : Records()) {
        if (record.labelledBy == Handle(window)) record.labelledBy = nullptr;
    }
}

std::size_t RegisteredCount() { return Records().size(); }

}  // namespace window::ui::win32

namespace window::ui::win32 {

std::size_t TotalPropertyCount() {
    std::size_t count = 0;
    for (const auto& [handle, record] : Records()) count += record.properties.size();
    return count;
}

const char* ToolkitClass() {
    static const char* const name = [] {
        ::WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &::DefWindowProcA;
        windowClass.hInstance = Instance();
        windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW));
        windowClass.hIcon = ::LoadIconA(Instance(), MAKEINTRESOURCEA(1));
        windowClass.lpszClassName = "VeltrixWindow";
        ::RegisterClassExA(&windowClass);
        // The tab strip and the tooltip window.
        ::INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&controls);
        return "VeltrixWindow";
    }();
    return name;
}

HWND CreateSystemWindow(std::wstring_view className, const char* systemClass, std::uint32_t exStyle,
                        std::wstring_view text, std::uint32_t style, int x, int y, int width, int height,
                        HWND parent, std::intptr_t id, std::wstring_view name, WNDPROC classProcedure,
                        bool systemControl) {
    ToolkitClass();
    const std::string bytes = AnsiText(text);
    const bool child = (style & WS_CHILD) != 0;
    // Siblings never paint over each other: a window that shows what lies
    // beneath it draws that itself (a frame over the tab strip, form/frame.cpp).
    if (child) style |= WS_CLIPSIBLINGS;
    // Edge by edge, as MoveWindow places it; the system's default place and
    // size stay its own.
    if (x != CW_USEDEFAULT && width != CW_USEDEFAULT) {
        const ::RECT place = ToScreen({x, y, x + width, y + height});
        x = place.left;
        y = place.top;
        width = place.right - place.left;
        height = place.bottom - place.top;
    }
    const ::HWND window = ::CreateWindowExA(exStyle, systemClass, bytes.c_str(), style, x, y, width, height,
                                           Native(parent), child ? reinterpret_cast<::HMENU>(id) : nullptr,
                                           Instance(), nullptr);
    if (!window) return nullptr;
    Register(window, className, classProcedure, systemControl);
    RecordOf(window)->name = std::wstring(name);
    if (child) ::SetWindowPos(window, kFrontOfSiblings, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return Handle(window);
}

}  // namespace window::ui::win32
