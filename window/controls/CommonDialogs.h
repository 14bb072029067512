#pragma once
// The standard save dialog behind plain properties: set them, call ShowSave,
// read them back. The object keeps the last choice, so the next save proposes
// the same file and filter again.
//
//   format::CommonDialogs dialogs;
//   dialogs.SetFilter(std::wstring(L"Tekstdocument (*.txt)\0*.txt\0\0", 29));
//   dialogs.SetFilterIndex(1);
//   dialogs.SetOwnerHwnd(form.Hwnd());
//   dialogs.SetFileName(L"Processor");
//   if (dialogs.ShowSave()) Write(dialogs.FileName());

#include <cstdint>
#include <string>
#include <vector>

#include "window/ui/dialogs.h"
#include "window/ui/types.h"

namespace controls {

class CommonDialogs {
public:
    const std::wstring& Title() const { return title_; }
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    window::ui::HWND OwnerHwnd() const { return owner_; }
    void SetOwnerHwnd(window::ui::HWND owner) { owner_ = owner; }
    // The proposed name on entry; the chosen file's full path on return.
    const std::wstring& FileName() const { return fileName_; }
    void SetFileName(std::wstring name) { fileName_ = std::move(name); }
    // The chosen file's name without its folder.
    const std::wstring& FileTitle() const { return fileTitle_; }
    // Pairs of description and pattern, each ended by a NUL, and a last NUL:
    // "Tekstdocument (*.txt)" NUL "*.txt" NUL NUL. Handed on as written.
    const std::wstring& Filter() const { return filter_; }
    void SetFilter(std::wstring filter) { filter_ = std::move(filter); }
    // 1-based; the filter the user chose last after a save.
    std::uint8_t FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(std::uint8_t index) { filterIndex_ = index; }
    // Added to a name typed without one; when empty, the chosen filter's
    // extension is.
    const std::wstring& FileExtension() const { return fileExtension_; }
    void SetFileExtension(std::wstring extension) { fileExtension_ = std::move(extension); }
    // The folder the dialog opens in; empty: where the last one was chosen.
    const std::wstring& FolderName() const { return folderName_; }
    void SetFolderName(std::wstring folder) { folderName_ = std::move(folder); }

    // True when a file was chosen (after confirming that an existing one may
    // be replaced); FileName, FileTitle and FilterIndex then describe it. A
    // cancelled dialog changes nothing.
    bool ShowSave();

    // The pairs of a raw filter list; a description without a pattern ends it.
    static std::vector<window::ui::FileFilter> ParseFilter(const std::wstring& filter);

private:
    std::wstring title_;
    window::ui::HWND owner_ = nullptr;
    std::wstring fileName_;
    std::wstring fileTitle_;
    std::wstring filter_;
    std::uint8_t filterIndex_ = 1;
    std::wstring fileExtension_;
    std::wstring folderName_;
};

}  // namespace controls
