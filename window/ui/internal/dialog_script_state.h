#pragma once
// Internal to the toolkit (both sides): what a dialog script holds, and how
// the dialogs of either side ask it for their answers.

#include <deque>
#include <optional>
#include <string_view>
#include <variant>

#include "window/ui/dialog_script.h"

namespace window::ui::testing {

struct DialogScript::State {
    using SaveAnswer = std::optional<SaveFileResult>;
    std::deque<SaveAnswer> saveAnswers;
    std::deque<int> messageBoxAnswers;
    std::vector<SaveFileRequest> saveDialogs;
    std::vector<MessageBoxShown> messageBoxes;
    std::vector<std::wstring> openedUrls;
};

// Each dialog asks these first: while a test scripts the dialogs, they record
// what the dialog would show, give the scripted answer in `answer` and return
// true; otherwise they return false and the side shows the real dialog.
bool AnswerSave(const SaveFileRequest& request, std::optional<SaveFileResult>& answer);
bool AnswerMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type, int& answer);
bool AnswerOpenUrl(std::wstring_view address);

}  // namespace window::ui::testing
