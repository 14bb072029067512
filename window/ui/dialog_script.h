#pragma once
// Answers for the standard dialogs, for tests. While a script is active no
// dialog is shown: each save dialog or message box takes the next queued
// answer (an unanswered one counts as cancelled) and is recorded with what
// it would have shown; addresses are recorded instead of opened.

#include <optional>
#include <string>
#include <vector>

#include "window/ui/dialogs.h"

namespace window::ui::testing {

struct MessageBoxShown {
    HWND owner = nullptr;
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};

class DialogScript {
public:
    // Activates scripting until destroyed; only one at a time.
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // The next save dialog returns `path` with the given filter index; its
    // title is derived from the path.
    void ChooseFile(const std::wstring& path, int filterIndex = 1);
    void CancelSave();
    void AnswerMessageBox(int button = IDOK);

    const std::vector<SaveFileRequest>& SaveDialogs() const;
    const std::vector<MessageBoxShown>& MessageBoxes() const;
    const std::vector<std::wstring>& OpenedUrls() const;
    // Answers queued but never asked for.
    std::size_t PendingAnswers() const;

    struct State;

private:
    State* state_;
};

}  // namespace window::ui::testing
