#pragma once
// The standard dialogs and shell services the program uses: the save dialog,
// message boxes, opening a web address, and the application's wait cursor.
// Tests answer the dialogs through dialog_script.h instead of a person.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/ui/types.h"

namespace window::ui {

struct FileFilter {
    std::wstring description;  // shown as it is
    std::wstring patterns;     // "*.txt", several separated by ";"
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct SaveFileRequest {
    HWND owner = nullptr;
    std::wstring title;  // empty: the dialog's own caption
    std::vector<FileFilter> filters;
    int filterIndex = 1;  // 1-based; out of range selects the first
    std::wstring fileName;  // proposed name; may carry a folder
    std::wstring initialFolder;  // empty: the folder used last, else the home folder
    // Appended when the user types a name without one; when empty, the
    // extension of the selected filter's single pattern is used instead.
    std::wstring defaultExtension;
    bool confirmOverwrite = true;
};

struct SaveFileResult {
    std::wstring path;   // full path
    std::wstring title;  // the file's name without its folder
    int filterIndex = 1;
    friend bool operator==(const SaveFileResult&, const SaveFileResult&) = default;
};

// Modal; nothing when the user cancels.
std::optional<SaveFileResult> GetSaveFileName(const SaveFileRequest& request);

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_ICONERROR = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Modal; returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO). Closing
// the box counts as its last button (Cancel, No, or OK).
int MessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type);

// Opens a web address in the user's browser; false when nothing could.
bool OpenUrl(std::wstring_view address);

// The hourglass over every window of the program, until RestoreCursor.
// Nested calls need as many restores.
void SetWaitCursor();
void RestoreCursor();

}  // namespace window::ui
