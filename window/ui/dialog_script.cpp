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

DialogScript::State* ActiveScript() { return g_active; }

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
