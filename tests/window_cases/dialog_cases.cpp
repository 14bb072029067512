// The save path through the dialog seam: what the program asks the save
// dialog, what a chosen or cancelled answer leaves, the filter lists, and
// message boxes and addresses answered by the script.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "side.h"
#include "window/controls/CommonDialogs.h"
#include "window/form/form.h"
#include "window/ui/dialog_script.h"
#include "window/ui/dialogs.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::CommonDialogs;

namespace {

const std::wstring kReportFilter(L"Tekstdocument (*.txt)\0*.txt\0\0", 29);

TEST(SaveDialog, TheScriptSeesTheRequestAndAChosenOrCancelledAnswerLeavesTheRightFields) {
    form::Form owner(L"FormVeltrix", 300, 200);
    ui::testing::DialogScript script;
    CommonDialogs dialogs;
    EXPECT_EQ(dialogs.FilterIndex(), std::uint8_t{1});
    dialogs.SetFilter(kReportFilter);
    dialogs.SetOwnerHwnd(owner.Hwnd());
    dialogs.SetTitle(L"Opslaan Als");
    dialogs.SetFileName(L"Processor");
    script.CancelSave();
    EXPECT_FALSE(dialogs.ShowSave());
    EXPECT_EQ(dialogs.FileName(), L"Processor");
    EXPECT_TRUE(dialogs.FileTitle().empty());

    script.ChooseFile(L"/home/gebruiker/Documenten/Processor.txt", 1);
    EXPECT_TRUE(dialogs.ShowSave());
    EXPECT_EQ(dialogs.FileName(), L"/home/gebruiker/Documenten/Processor.txt");
    EXPECT_EQ(dialogs.FileTitle(), L"Processor.txt");
    EXPECT_EQ(dialogs.FilterIndex(), std::uint8_t{1});

    ASSERT_EQ(script.SaveDialogs().size(), 2u);
    const ui::SaveFileRequest& asked = script.SaveDialogs().front();
    EXPECT_EQ(asked.owner, owner.Hwnd());
    EXPECT_EQ(asked.title, L"Opslaan Als");
    EXPECT_EQ(asked.fileName, L"Processor");
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_TRUE(asked.confirmOverwrite);
    ASSERT_EQ(asked.filters.size(), 1u);
    EXPECT_EQ(asked.filters[0].description, L"Tekstdocument (*.txt)");
    EXPECT_EQ(asked.filters[0].patterns, L"*.txt");
    // Unanswered: cancelled. The last choice is proposed again.
    EXPECT_FALSE(dialogs.ShowSave());
    ASSERT_EQ(script.SaveDialogs().size(), 3u);
    EXPECT_EQ(script.SaveDialogs()[2].fileName, L"/home/gebruiker/Documenten/Processor.txt");
    EXPECT_EQ(script.PendingAnswers(), 0u);
}

TEST(SaveDialog, RawFilterListsWithAndWithoutTheirClosingNuls) {
    EXPECT_EQ(CommonDialogs::ParseFilter(kReportFilter).size(), 1u);
    const auto two = CommonDialogs::ParseFilter(std::wstring(L"Tekst\0*.txt\0Alles\0*.*\0\0", 24));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].patterns, L"*.*");
    // Without the closing NULs, and a description without its pattern.
    EXPECT_EQ(CommonDialogs::ParseFilter(std::wstring(L"Tekst\0*.txt", 11)).size(), 1u);
    EXPECT_EQ(CommonDialogs::ParseFilter(std::wstring(L"Tekst\0*.txt\0Alles", 17)).size(), 1u);
    EXPECT_TRUE(CommonDialogs::ParseFilter(L"").empty());
}

TEST(SaveDialog, MessageBoxesAndAddressesAreAnsweredByTheScript) {
    form::Form owner(L"FormVeltrix", 300, 200);
    ui::testing::DialogScript script;
    script.AnswerMessageBox(ui::IDOK);
    EXPECT_EQ(ui::MessageBox(owner.Hwnd(), L"Fout bij het opslaan van /tmp/x.txt", L"Veltrix", ui::MB_OK | ui::MB_ICONEXCLAMATION),
              ui::IDOK);
    // Unanswered: its Cancel.
    EXPECT_EQ(ui::MessageBox(owner.Hwnd(), L"Nog een", L"Veltrix", ui::MB_YESNO), ui::IDCANCEL);
    ASSERT_EQ(script.MessageBoxes().size(), 2u);
    EXPECT_EQ(script.MessageBoxes()[0].text, L"Fout bij het opslaan van /tmp/x.txt");
    EXPECT_EQ(script.MessageBoxes()[0].caption, L"Veltrix");
    EXPECT_EQ(script.MessageBoxes()[0].type, ui::MB_OK | ui::MB_ICONEXCLAMATION);
    EXPECT_TRUE(ui::OpenUrl(L"https://www.example.org"));
    EXPECT_EQ(script.OpenedUrls(), std::vector<std::wstring>{L"https://www.example.org"});
}

}  // namespace
