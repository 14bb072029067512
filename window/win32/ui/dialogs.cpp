// The common dialogs and the shell: GetSaveFileNameA, MessageBoxA,
// ShellExecuteA and the hourglass. Each modal dialog gives the keyboard back
// to the control that had it when it closes.
#include "window/win32/ui/system_headers.h"

#include "window/ui/dialogs.h"

#include "window/ui/internal/dialog_script_state.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace window::ui {

namespace {

// The focus before a modal dialog, given back when it closes; the system
// would otherwise leave it on the owner window itself.
class FocusReturn {
public:
    FocusReturn() : focus_(::GetFocus()) {}
    ~FocusReturn() {
        if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    ::HWND focus_;
};

// The filter as the dialog takes it: description NUL patterns NUL ... NUL.
std::string FilterText(const std::vector<FileFilter>& filters) {
    std::string text;
    for (const FileFilter& filter : filters) {
        text += win32::AnsiText(filter.description);
        text += '\0';
        text += win32::AnsiText(filter.patterns);
        text += '\0';
    }
    text += '\0';
    return text;
}

// The extension of a single pattern ("*.txt" -> "txt"); empty for several.
std::string ExtensionOf(const FileFilter& filter) {
    const std::wstring& patterns = filter.patterns;
    if (patterns.find(L';') != std::wstring::npos) return {};
    const auto dot = patterns.rfind(L'.');
    if (dot == std::wstring::npos || patterns.find(L'*', dot) != std::wstring::npos) return {};
    return win32::AnsiText(patterns.substr(dot + 1));
}

}  // namespace

std::optional<SaveFileResult> GetSaveFileName(const SaveFileRequest& request) {
    if (std::optional<SaveFileResult> answer; testing::AnswerSave(request, answer)) return answer;
    const std::string filter = FilterText(request.filters);
    const std::string title = win32::AnsiText(request.title);
    const std::string folder = win32::AnsiText(request.initialFolder);
    const int filterCount = static_cast<int>(request.filters.size());
    const int filterIndex = request.filterIndex >= 1 && request.filterIndex <= filterCount ? request.filterIndex : 1;
    std::string extension = win32::AnsiText(request.defaultExtension);
    if (extension.empty() && filterCount > 0) extension = ExtensionOf(request.filters[static_cast<std::size_t>(filterIndex - 1)]);
    std::string file = win32::AnsiText(request.fileName);
    file.resize(MAX_PATH * 4, '\0');

    ::OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = win32::Native(request.owner);
    dialog.lpstrFilter = filterCount > 0 ? filter.c_str() : nullptr;
    dialog.nFilterIndex = static_cast<::DWORD>(filterIndex);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<::DWORD>(file.size());
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
                   (request.confirmOverwrite ? OFN_OVERWRITEPROMPT : 0);
    const FocusReturn focusReturn;
    if (!::GetSaveFileNameA(&dialog)) return std::nullopt;
    SaveFileResult result;
    result.path = win32::FromAnsi(file.c_str());
    result.title = win32::FromAnsi(file.c_str() + dialog.nFileOffset);
    result.filterIndex = static_cast<int>(dialog.nFilterIndex);
    return result;
}

int MessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) {
    if (int answer = IDOK; testing::AnswerMessageBox(owner, text, caption, type, answer)) return answer;
    const FocusReturn focusReturn;
    return ::MessageBoxA(win32::Native(owner), win32::AnsiText(text).c_str(), win32::AnsiText(caption).c_str(), type);
}

bool OpenUrl(std::wstring_view address) {
    if (testing::AnswerOpenUrl(address)) return true;
    // Only web addresses: the shell would run a program named here just as well.
    if (address.rfind(L"https://", 0) != 0 && address.rfind(L"http://", 0) != 0) return false;
    const auto result = reinterpret_cast<std::intptr_t>(
        ::ShellExecuteA(nullptr, "open", win32::AnsiText(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

namespace {
int g_waitDepth = 0;
::HCURSOR g_previousCursor = nullptr;
}  // namespace

void SetWaitCursor() {
    if (g_waitDepth++ == 0) g_previousCursor = ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_WAIT)));
}

void RestoreCursor() {
    if (g_waitDepth == 0) return;
    if (--g_waitDepth == 0) ::SetCursor(g_previousCursor ? g_previousCursor : ::LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW)));
}

}  // namespace window::ui

namespace window::ui::win32 {

bool WaitCursorActive() { return g_waitDepth > 0; }

}  // namespace window::ui::win32
