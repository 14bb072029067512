#include "window/ui/dialog_script.h"

#include "window/ui/internal/dialog_script_state.h"

namespace window::ui::testing {

namespace {

DialogScript::State* g_active = nullptr;

std::wstring FileTitleOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool AnswerSave(const SaveFileRequest& request, std::optional<SaveFileResult>& answer) {
    if (!g_active) return false;
    g_active->saveDialogs.push_back(request);
    answer = std::nullopt;
    if (g_active->saveAnswers.empty()) return true;
    answer = g_active->saveAnswers.front();
    g_active->saveAnswers.pop_front();
    return true;
}

bool AnswerMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type, int& answer) {
    if (!g_active) return false;
    g_active->messageBoxes.push_back({owner, std::wstring(text), std::wstring(caption), type});
    constexpr UINT kButtonsMask = 0x0000000F;
    // Unanswered, a box is closed: its last button, or OK when it has one.
    answer = (type & kButtonsMask) == MB_OK ? IDOK : IDCANCEL;
    if (g_active->messageBoxAnswers.empty()) return true;
    answer = g_active->messageBoxAnswers.front();
    g_active->messageBoxAnswers.pop_front();
    return true;
}

bool AnswerOpenUrl(std::wstring_view address) {
    if (!g_active) return false;
    g_active->openedUrls.emplace_back(address);
    return true;
}

DialogScript::DialogScript() : state_(new State) { g_active = state_; }

DialogScript::~DialogScript() {
    if (g_active == state_) g_active = nullptr;
    delete state_;
}

void DialogScript::ChooseFile(const std::wstring& path, int filterIndex) {
    state_->saveAnswers.push_back(SaveFileResult{path, FileTitleOf(path), filterIndex});
}

void DialogScript::CancelSave() { state_->saveAnswers.push_back(std::nullopt); }

void DialogScript::AnswerMessageBox(int button) { state_->messageBoxAnswers.push_back(button); }

const std::vector<SaveFileRequest>& DialogScript::SaveDialogs() const { return state_->saveDialogs; }

const std::vector<MessageBoxShown>& DialogScript::MessageBoxes() const { return state_->messageBoxes; }

const std::vector<std::wstring>& DialogScript::OpenedUrls() const { return state_->openedUrls; }

std::size_t DialogScript::PendingAnswers() const { return state_->saveAnswers.size() + state_->messageBoxAnswers.size(); }

}  // namespace window::ui::testing
