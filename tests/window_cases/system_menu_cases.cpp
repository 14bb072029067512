// The window menu: the system's entries first, greyed as the window's
// style allows, the program's after them; the system menu control's items,
// ItemClick and the system's own commands, stored settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "side.h"
#include "fixtures.h"
#include "window/controls/PropertyBag.h"
#include "window/controls/SystemMenu.h"
#include "window/form/form.h"
#include "window/ui/menu.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::SystemMenu;
using controls::SystemMenuItem;

namespace {

TEST(WindowMenu, TheSystemsEntriesComeFirstAndEntryZeroIsNeverTheSeparator) {
    form::Form form(L"TestForm", 300, 200);
    const ui::HMENU menu = ui::GetSystemMenu(form.Hwnd(), false);
    ASSERT_TRUE(menu);
    EXPECT_EQ(ui::GetSystemMenu(form.Hwnd(), false), menu);
    const ui::HWND child = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 5, 5, form.Hwnd());
    EXPECT_FALSE(ui::GetSystemMenu(child, false));
    const int system = ui::GetMenuItemCount(menu);
    ASSERT_GE(system, 5);
    std::vector<int> systemIds;
    for (int i = 0; i < system; ++i) systemIds.push_back(ui::GetMenuItemID(menu, i));
    // The system's own entries, whatever else the system puts there (Wine:
    // its "About Wine"); close after a separator. Which are greyed the
    // system decides as the menu opens (tests/ui: the Qt side's menu).
    EXPECT_EQ(systemIds.front(), static_cast<int>(ui::SC_RESTORE));
    const auto close = std::find(systemIds.begin(), systemIds.end(), static_cast<int>(ui::SC_CLOSE));
    ASSERT_NE(close, systemIds.end());
    const auto closeAt = static_cast<ui::UINT>(close - systemIds.begin());
    EXPECT_TRUE(ui::GetMenuState(menu, closeAt - 1, ui::MF_BYPOSITION) & ui::MF_SEPARATOR);
    for (ui::UINT command : {ui::SC_MINIMIZE, ui::SC_MAXIMIZE}) {
        EXPECT_NE(std::find(systemIds.begin(), systemIds.end(), static_cast<int>(command)), systemIds.end());
    }

    EXPECT_TRUE(ui::AppendMenu(menu, ui::MF_STRING | ui::MF_CHECKED, 0, L"&Opslaan als..."));
    EXPECT_TRUE(ui::AppendMenu(menu, ui::MF_SEPARATOR, 1, L"ignored"));
    EXPECT_TRUE(ui::AppendMenu(menu, ui::MF_STRING, 2, L"&Over Veltrix"));
    EXPECT_EQ(ui::GetMenuItemCount(menu), system + 3);
    EXPECT_EQ(ui::GetMenuString(menu, 0, ui::MF_BYCOMMAND), L"&Opslaan als...");
    EXPECT_EQ(ui::GetMenuString(menu, 1, ui::MF_BYCOMMAND), std::wstring());
    EXPECT_EQ(ui::GetMenuState(menu, 0, ui::MF_BYCOMMAND), ui::MF_CHECKED);

    ui::MENUITEMINFO info;
    info.fMask = ui::MIIM_STATE | ui::MIIM_TYPE | ui::MIIM_ID;
    info.fState = ui::MFS_GRAYED;
    info.wID = 1;
    info.text = L"Tweede";
    EXPECT_TRUE(ui::SetMenuItemInfo(menu, 1, false, info));
    EXPECT_EQ(ui::GetMenuString(menu, 1, ui::MF_BYCOMMAND), L"Tweede");
    // Greyed (the system adds MF_DISABLED), and no longer a separator.
    EXPECT_TRUE(ui::GetMenuState(menu, 1, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
    EXPECT_FALSE(ui::GetMenuState(menu, 1, ui::MF_BYCOMMAND) & ui::MF_SEPARATOR);
    info.fMask = ui::MIIM_STATE | ui::MIIM_TYPE;
    info.fState = ui::MFS_CHECKED;
    info.wID = 2;
    info.text = L"&Info";
    EXPECT_TRUE(ui::SetMenuItemInfo(menu, 2, false, info));
    EXPECT_TRUE(ui::GetMenuState(menu, 2, ui::MF_BYCOMMAND) & ui::MF_CHECKED);
    EXPECT_EQ(ui::GetMenuString(menu, 2, ui::MF_BYCOMMAND), L"&Info");

    // Deleting the program's identifier 0 leaves the system's separator.
    for (int id = 2; id >= 0; --id) EXPECT_TRUE(ui::DeleteMenu(menu, static_cast<ui::UINT>(id), ui::MF_BYCOMMAND));
    EXPECT_FALSE(ui::DeleteMenu(menu, 0, ui::MF_BYCOMMAND));
    ASSERT_EQ(ui::GetMenuItemCount(menu), system);
    for (int i = 0; i < system; ++i) EXPECT_EQ(ui::GetMenuItemID(menu, i), systemIds[static_cast<std::size_t>(i)]);
    EXPECT_EQ(ui::GetMenuState(menu, 9, ui::MF_BYCOMMAND), 0xFFFFFFFFu);
}

class SystemMenuCases : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<form::Form>(L"TestForm", 200, 100);
        system_ = ui::GetMenuItemCount(Menu());
        menu_ = std::make_unique<SystemMenu>(form_->Hwnd());
        menu_->InitProperties();
        menu_->ItemClick.Connect([this](SystemMenuItem& item) { clicked_.push_back(item.Index()); });
    }
    void TearDown() override {
        menu_.reset();
        form_.reset();
        side::Settle();
    }
    ui::HMENU Menu() const { return ui::GetSystemMenu(form_->Hwnd(), false); }

    std::unique_ptr<form::Form> form_;
    std::unique_ptr<SystemMenu> menu_;
    std::vector<int> clicked_;
    int system_ = 0;  // the system's entries
};

TEST_F(SystemMenuCases, ItemsFollowTheSystemEntries) {
    window_cases::MakeThreeItems(*menu_);
    EXPECT_EQ(ui::GetMenuItemCount(Menu()), system_ + 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ui::GetMenuItemID(Menu(), system_ + i), i);
    EXPECT_TRUE(ui::GetMenuState(Menu(), 1, ui::MF_BYCOMMAND) & ui::MF_SEPARATOR);
    EXPECT_EQ(ui::GetMenuString(Menu(), 2, ui::MF_BYCOMMAND), L"&Over Veltrix...");
    EXPECT_TRUE(menu_->IsPropertyChanged(L"MenuText(2)"));
    EXPECT_TRUE(menu_->IsPropertyChanged(L"MenuStyle(1)"));
}

// A picked entry arrives as WM_SYSCOMMAND with its identifier.
TEST_F(SystemMenuCases, TheProgramsCommandsRaiseItemClickAndTheSystemsStillReachTheWindow) {
    window_cases::MakeThreeItems(*menu_);
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, 2, 0);
    EXPECT_EQ(clicked_, std::vector<int>{2});
    clicked_.clear();
    // A negative command or one equal to Count is no item of ours.
    ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, static_cast<ui::WPARAM>(-1), 0);
    ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, 3, 0);
    EXPECT_TRUE(clicked_.empty());
    EXPECT_TRUE(form_->Visible());
    ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, ui::SC_CLOSE, 0);
    EXPECT_TRUE(side::PumpUntil([&] { return !form_->Visible(); }));
    EXPECT_TRUE(clicked_.empty());
    side::TakeBackQuit();
}

TEST_F(SystemMenuCases, DisablingGreysOnlyOurItems) {
    window_cases::MakeThreeItems(*menu_);
    menu_->SystemMenuItem(0)->SetChecked(true);
    EXPECT_TRUE(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_CHECKED);
    std::vector<ui::UINT> systemStates;
    for (int i = 0; i < system_; ++i) systemStates.push_back(ui::GetMenuState(Menu(), static_cast<ui::UINT>(i), ui::MF_BYPOSITION));
    menu_->SetEnabled(false);
    EXPECT_TRUE(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
    EXPECT_TRUE(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_CHECKED);
    EXPECT_TRUE(ui::GetMenuState(Menu(), 2, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
    for (int i = 0; i < system_; ++i) {
        EXPECT_EQ(ui::GetMenuState(Menu(), static_cast<ui::UINT>(i), ui::MF_BYPOSITION), systemStates[static_cast<std::size_t>(i)]);
    }
    menu_->SetEnabled(true);
    menu_->SystemMenuItem(2)->SetEnabled(false);
    EXPECT_FALSE(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
    EXPECT_TRUE(ui::GetMenuState(Menu(), 2, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
}

TEST_F(SystemMenuCases, ItemsOutsideTheRangeAreNothing) {
    window_cases::MakeThreeItems(*menu_);
    EXPECT_FALSE(menu_->SystemMenuItem(-1));
    EXPECT_FALSE(menu_->SystemMenuItem(3));
    menu_->SetCount(-1);
    EXPECT_EQ(menu_->Count(), std::int16_t{3});
    menu_->SystemMenuItem(0)->SetStyle(5);
    EXPECT_EQ(menu_->SystemMenuItem(0)->Style(), SystemMenuItem::kStyleDefault);
}

TEST_F(SystemMenuCases, PreventUpdateKeepsChangesOutOfTheMenu) {
    window_cases::MakeThreeItems(*menu_);
    menu_->SetPreventUpdate(true);
    menu_->SystemMenuItem(0)->SetText(L"Later");
    EXPECT_EQ(ui::GetMenuString(Menu(), 0, ui::MF_BYCOMMAND), L"Opslaan &Als...");
    menu_->SetPreventUpdate(false);
    menu_->UpdateSystemMenuItems(-1);
    EXPECT_EQ(ui::GetMenuString(Menu(), 0, ui::MF_BYCOMMAND), L"Later");
}

// Fewer items take the ones beyond the new count out of the menu too.
TEST_F(SystemMenuCases, ShrinkingLeavesNoEntryBehind) {
    window_cases::MakeThreeItems(*menu_);
    menu_->SetCount(1);
    EXPECT_EQ(ui::GetMenuItemCount(Menu()), system_ + 1);
    EXPECT_EQ(ui::GetMenuItemID(Menu(), system_), 0);
}

TEST_F(SystemMenuCases, StoredSettingsRoundTrip) {
    window_cases::MakeThreeItems(*menu_);
    menu_->SystemMenuItem(2)->SetTag(L"about");
    controls::PropertyBag bag;
    menu_->WriteProperties(bag);
    EXPECT_EQ(bag.ReadLong(L"Count", 0), 3);
    EXPECT_EQ(bag.ReadLong(L"SystemMenuItemStyle(1)", 0), 1);
    EXPECT_EQ(bag.ReadString(L"SystemMenuItemText(0)", L""), L"Opslaan &Als...");
    EXPECT_FALSE(bag.Contains(L"Enabled"));
    EXPECT_FALSE(bag.Contains(L"SystemMenuItemEnabled(0)"));

    menu_.reset();
    // The window procedure goes with the control; its entries stay.
    EXPECT_EQ(ui::GetPropCount(form_->Hwnd()), 0u);
    SystemMenu again(form_->Hwnd());
    again.ReadProperties(bag);
    EXPECT_EQ(again.Count(), std::int16_t{3});
    EXPECT_EQ(again.SystemMenuItem(2)->Tag(), L"about");
    EXPECT_EQ(ui::GetMenuItemCount(Menu()), system_ + 3);
    EXPECT_EQ(ui::GetPropCount(form_->Hwnd()), 2u);
}

}  // namespace
