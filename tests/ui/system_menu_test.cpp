// The system menu control: its items in the window menu, ItemClick, the
// system's own commands, greyed and checked items, stored settings.

#include <QMenu>
#include <QTest>

#include <memory>
#include <vector>

#include "window/controls/SystemMenu.h"
#include "window/form/form.h"
#include "window/ui/menu.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::SystemMenu;
using controls::SystemMenuItem;

namespace {

constexpr int kSystemEntries = 5;  // restore, minimise, maximise, separator, close

}  // namespace

class SystemMenuTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;
    std::unique_ptr<SystemMenu> menu_;
    std::vector<int> clicked_;

    ui::HMENU Menu() const { return ui::GetSystemMenu(form_->Hwnd(), false); }

    // A text item, a separator, a text item.
    void MakeThreeItems() {
        menu_->SetCount(3);
        menu_->SystemMenuItem(0)->SetText(L"Opslaan &Als...");
        menu_->SystemMenuItem(1)->SetStyle(SystemMenuItem::kStyleSeparator);
        menu_->SystemMenuItem(2)->SetText(L"&Over Veltrix...");
    }

private slots:
    void init() {
        form_ = std::make_unique<form::Form>(L"TestForm", 200, 100);
        menu_ = std::make_unique<SystemMenu>(form_->Hwnd());
        menu_->InitProperties();
        clicked_.clear();
        menu_->ItemClick.Connect([this](SystemMenuItem& item) { clicked_.push_back(item.Index()); });
    }
    void cleanup() {
        menu_.reset();
        form_.reset();
        ui_test::FlushDeletes();
    }

    void itemsFollowTheSystemEntries() {
        MakeThreeItems();
        QCOMPARE(ui::GetMenuItemCount(Menu()), kSystemEntries + 3);
        for (int i = 0; i < 3; ++i) QCOMPARE(ui::GetMenuItemID(Menu(), kSystemEntries + i), i);
        QVERIFY(ui::GetMenuState(Menu(), 1, ui::MF_BYCOMMAND) & ui::MF_SEPARATOR);
        QVERIFY(ui::GetMenuString(Menu(), 2, ui::MF_BYCOMMAND) == L"&Over Veltrix...");
        QVERIFY(menu_->IsPropertyChanged(L"MenuText(2)"));
        QVERIFY(menu_->IsPropertyChanged(L"MenuStyle(1)"));
    }

    void pickingTheThirdItemRaisesItemClickWithIndex2() {
        MakeThreeItems();
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QVERIFY(ui::ShowWindowMenu(form_->Hwnd(), ui::POINT{0, 0}));
        QMenu* popup = nullptr;
        QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        popup->findChild<QAction*>(QStringLiteral("windowMenuItem2"))->trigger();
        popup->close();
        QTRY_COMPARE(clicked_, std::vector<int>{2});
    }

    void systemCommandsStillReachTheWindow() {
        MakeThreeItems();
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        // A negative command or one equal to Count is no item of ours.
        ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, static_cast<ui::WPARAM>(-1), 0);
        ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, 3, 0);
        QVERIFY(clicked_.empty());
        QVERIFY(form_->Visible());
        ui::SendMessage(form_->Hwnd(), ui::WM_SYSCOMMAND, ui::SC_CLOSE, 0);
        QVERIFY(!form_->Visible());
        QVERIFY(clicked_.empty());
    }

    void disablingGreysOnlyOurItems() {
        MakeThreeItems();
        menu_->SystemMenuItem(0)->SetChecked(true);
        QVERIFY(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_CHECKED);
        std::vector<ui::UINT> systemStates;
        for (int i = 0; i < kSystemEntries; ++i) systemStates.push_back(ui::GetMenuState(Menu(), static_cast<ui::UINT>(i), ui::MF_BYPOSITION));
        menu_->SetEnabled(false);
        QVERIFY(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
        QVERIFY(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_CHECKED);
        QVERIFY(ui::GetMenuState(Menu(), 2, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
        for (int i = 0; i < kSystemEntries; ++i) QCOMPARE(ui::GetMenuState(Menu(), static_cast<ui::UINT>(i), ui::MF_BYPOSITION), systemStates[static_cast<std::size_t>(i)]);
        menu_->SetEnabled(true);
        menu_->SystemMenuItem(2)->SetEnabled(false);
        QVERIFY(!(ui::GetMenuState(Menu(), 0, ui::MF_BYCOMMAND) & ui::MF_GRAYED));
        QVERIFY(ui::GetMenuState(Menu(), 2, ui::MF_BYCOMMAND) & ui::MF_GRAYED);
    }

    void itemsOutsideTheRangeAreNothing() {
        MakeThreeItems();
        QVERIFY(!menu_->SystemMenuItem(-1));
        QVERIFY(!menu_->SystemMenuItem(3));
        menu_->SetCount(-1);
        QCOMPARE(menu_->Count(), std::int16_t{3});
        menu_->SystemMenuItem(0)->SetStyle(5);
        QCOMPARE(menu_->SystemMenuItem(0)->Style(), SystemMenuItem::kStyleDefault);
    }

    void preventUpdateKeepsChangesOutOfTheMenu() {
        MakeThreeItems();
        menu_->SetPreventUpdate(true);
        menu_->SystemMenuItem(0)->SetText(L"Later");
        QVERIFY(ui::GetMenuString(Menu(), 0, ui::MF_BYCOMMAND) == L"Opslaan &Als...");
        menu_->SetPreventUpdate(false);
        menu_->UpdateSystemMenuItems(-1);
        QVERIFY(ui::GetMenuString(Menu(), 0, ui::MF_BYCOMMAND) == L"Later");
    }

    // Fewer items take the ones beyond the new count out of the menu too.
    void shrinkingLeavesNoEntryBehind() {
        MakeThreeItems();
        menu_->SetCount(1);
        QCOMPARE(ui::GetMenuItemCount(Menu()), kSystemEntries + 1);
        QCOMPARE(ui::GetMenuItemID(Menu(), kSystemEntries), 0);
    }

    void storedSettingsRoundTrip() {
        MakeThreeItems();
        menu_->SystemMenuItem(2)->SetTag(L"about");
        controls::PropertyBag bag;
        menu_->WriteProperties(bag);
        QCOMPARE(bag.ReadLong(L"Count", 0), 3);
        QCOMPARE(bag.ReadLong(L"SystemMenuItemStyle(1)", 0), 1);
        QVERIFY(bag.ReadString(L"SystemMenuItemText(0)", L"") == L"Opslaan &Als...");
        QVERIFY(!bag.Contains(L"Enabled"));
        QVERIFY(!bag.Contains(L"SystemMenuItemEnabled(0)"));

        menu_.reset();
        // The window procedure goes with the control; its entries stay.
        QCOMPARE(ui::GetPropCount(form_->Hwnd()), std::size_t{0});
        SystemMenu again(form_->Hwnd());
        again.ReadProperties(bag);
        QCOMPARE(again.Count(), std::int16_t{3});
        QVERIFY(again.SystemMenuItem(2)->Tag() == L"about");
        QCOMPARE(ui::GetMenuItemCount(Menu()), kSystemEntries + 3);
        QCOMPARE(ui::GetPropCount(form_->Hwnd()), std::size_t{2});
    }
};

QTEST_MAIN(SystemMenuTest)
#include "system_menu_test.moc"
