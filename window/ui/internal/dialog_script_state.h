#pragma once
// Internal to the toolkit (both sides): the active dialog script, if a test
// set one up.

#include <deque>
#include <optional>
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

// Null when no test scripts the dialogs.
DialogScript::State* ActiveScript();

}  // namespace window::ui::testing
