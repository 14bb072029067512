// The tab strip control: events and their order, stored settings, the
// settings' effect on the tab-strip window, rows, placements and tooltips.

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <string>
#include <vector>

#include "window/controls/StoredForm.h"
#include "window/controls/TabControl.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/ui/gdi.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::TabControl;

namespace {

constexpr char kStored[] = R"(
T.Count=15
T.MultiRow=True
T.TabText(0)="Processor"
T.TabText(1)="Geheugengebruik"
T.TabText(2)="Weergave"
T.TabText(3)="Netwerk"
T.TabText(4)="Geluid"
T.TabText(5)="Toetsenbord"
T.TabText(6)="Muis"
T.TabText(7)="Printers"
T.TabText(8)="Joysticks"
T.TabText(9)="Harde Stations"
T.TabText(10)="Optische Stations"
T.TabText(11)="Logische Stations"
T.TabText(12)="Poorten"
T.TabText(13)="USB Apparaten"
T.TabText(14)="Batterij"
)";

ui::RECT ItemRect(const TabControl& tabs, int index) {
    ui::RECT r;
    ui::SendMessage(tabs.ControlHwnd(), ui::TCM_GETITEMRECT, static_cast<ui::WPARAM>(index), reinterpret_cast<ui::LPARAM>(&r));
    return r;
}

std::wstring ItemText(const TabControl& tabs, int index) {
    ui::TCITEM item;
    item.mask = ui::TCIF_TEXT;
    ui::SendMessage(tabs.ControlHwnd(), ui::TCM_GETITEM, static_cast<ui::WPARAM>(index), reinterpret_cast<ui::LPARAM>(&item));
    return item.text;
}

int Selected(const TabControl& tabs) { return static_cast<int>(ui::SendMessage(tabs.ControlHwnd(), ui::TCM_GETCURSEL, 0, 0)); }

std::uint32_t StyleOf(const TabControl& tabs) {
    return static_cast<std::uint32_t>(ui::GetWindowLongPtr(tabs.ControlHwnd(), ui::GWL_STYLE));
}

}  // namespace

class TabControlTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;
    std::unique_ptr<TabControl> tabs_;
    std::vector<std::string> events_;
    bool cancel_ = false;

    QWidget* Strip() const { return ui_test::WidgetOf(tabs_->ControlHwnd()); }

    void Click(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Strip(), button, {}, ui_test::Center(ItemRect(*tabs_, index)));
    }

private slots:
    void init() {
        form_ = std::make_unique<form::Form>(L"TestForm", form::TwipsToPixels(9255), form::TwipsToPixels(6330));
        tabs_ = std::make_unique<TabControl>(form_->Hwnd(), form::Twips(120, 1080, 9015, 5145), L"T");
        tabs_->ReadProperties(controls::StoredForm::Parse(kStored)->Bag(L"T"));
        events_.clear();
        cancel_ = false;
        tabs_->BeforeClick.Connect([this](bool& cancel) {
            events_.push_back("BeforeClick");
            cancel = cancel_;
        });
        tabs_->Click.Connect([this] { events_.push_back("Click"); });
        tabs_->KeyDown.Connect([this](std::int16_t key) { events_.push_back("KeyDown " + std::to_string(key)); });
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
    }
    void cleanup() {
        tabs_.reset();
        form_.reset();
        ui_test::FlushDeletes();
    }

    void storedSettingsMakeFifteenTabsInTwoRows() {
        QCOMPARE(tabs_->Count(), std::int16_t{15});
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETITEMCOUNT, 0, 0), 15);
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETROWCOUNT, 0, 0), 2);
        QVERIFY(ItemText(*tabs_, 14) == L"Batterij");
        QCOMPARE(Selected(*tabs_), 0);
        QCOMPARE(tabs_->SelectedTab()->Index(), std::int16_t{0});
        QVERIFY(StyleOf(*tabs_) & ui::TCS_MULTILINE);
        // Loading is no change.
        QVERIFY(tabs_->Changed().Keys().empty());
    }

    void clickOnAnotherTabAsksThenSelectsThenClicks() {
        Click(3);
        QCOMPARE(events_, (std::vector<std::string>{"BeforeClick", "Click"}));
        QCOMPARE(tabs_->SelectedTab()->Index(), std::int16_t{3});
        events_.clear();
        Click(3);
        QCOMPARE(events_, (std::vector<std::string>{"Click"}));
    }

    void cancelInBeforeClickKeepsTheSelection() {
        cancel_ = true;
        Click(4);
        QCOMPARE(Selected(*tabs_), 0);
        QCOMPARE(events_.front(), std::string("BeforeClick"));
    }

    void rightClickRaisesClickAndLeavesTheSelection() {
        Click(5, Qt::RightButton);
        QCOMPARE(events_, (std::vector<std::string>{"Click"}));
        QCOMPARE(Selected(*tabs_), 0);
    }

    void arrowKeyGivesKeyDownBeforeClickClick() {
        Click(0);
        QTRY_COMPARE(QApplication::focusWidget(), Strip());
        events_.clear();
        QTest::keyClick(Strip(), Qt::Key_Right);
        QCOMPARE(events_, (std::vector<std::string>{"KeyDown 39", "BeforeClick", "Click"}));
        QCOMPARE(Selected(*tabs_), 1);
        events_.clear();
        QTest::keyClick(Strip(), Qt::Key_End);
        QCOMPARE(Selected(*tabs_), 14);
        QTest::keyClick(Strip(), Qt::Key_Home);
        QCOMPARE(Selected(*tabs_), 0);
        // Enter goes to the strip as well, and selects nothing.
        events_.clear();
        QTest::keyClick(Strip(), Qt::Key_Return);
        QCOMPARE(events_, (std::vector<std::string>{"KeyDown 13"}));
        QTest::keyClick(Strip(), Qt::Key_Down);
        QCOMPARE(Selected(*tabs_), 1);
        QCOMPARE(QApplication::focusWidget(), Strip());
    }

    void tabKeyStillMovesTheFocus() {
        form::CommandButton& next = form_->AddCommandButton(L"Next", {10, 390, 80, 24}, L"OK");
        Click(0);
        QTRY_COMPARE(QApplication::focusWidget(), Strip());
        events_.clear();
        QTest::keyClick(Strip(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ui_test::WidgetOf(next.Hwnd()));
        QVERIFY(events_.empty());
    }

    // Ctrl+Tab and Ctrl+Page Down go to the next tab, Ctrl+Shift+Tab and
    // Ctrl+Page Up to the previous one, from any control of the window, with
    // the events of the strip's own navigation keys; both ends wrap around.
    void ctrlTabMovesBetweenTabsFromAnywhereInTheWindow() {
        form::CommandButton& button = form_->AddCommandButton(L"Other", {10, 390, 80, 24}, L"OK");
        QWidget* other = ui_test::WidgetOf(button.Hwnd());
        struct Step {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int selected;
            const char* events;
        };
        const Step steps[] = {
            {Qt::Key_Tab, Qt::ControlModifier, 1, "KeyDown 9;BeforeClick;Click;"},
            {Qt::Key_PageDown, Qt::ControlModifier, 2, "KeyDown 34;BeforeClick;Click;"},
            {Qt::Key_PageUp, Qt::ControlModifier, 1, "KeyDown 33;BeforeClick;Click;"},
            // Ctrl+Shift+Tab arrives as Backtab.
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0, "KeyDown 9;BeforeClick;Click;"},
            {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 14, "KeyDown 9;BeforeClick;Click;"},
            {Qt::Key_Tab, Qt::ControlModifier, 0, "KeyDown 9;BeforeClick;Click;"},
            {Qt::Key_PageUp, Qt::ControlModifier, 14, "KeyDown 33;BeforeClick;Click;"},
            {Qt::Key_PageDown, Qt::ControlModifier, 0, "KeyDown 34;BeforeClick;Click;"},
        };
        for (const Step& step : steps) {
            other->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), other);
            events_.clear();
            QTest::keyClick(other, step.key, step.modifiers);
            QCOMPARE(Selected(*tabs_), step.selected);
            std::string seen;
            for (const auto& e : events_) seen += e + ";";
            QVERIFY2(seen == step.events, seen.c_str());
            // As after the strip's own keys, the keyboard is on the strip.
            QCOMPARE(QApplication::focusWidget(), Strip());
        }
        // Refused like a click when BeforeClick cancels.
        cancel_ = true;
        QTest::keyClick(Strip(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(Selected(*tabs_), 0);
        // A key that selected nothing leaves the strip waiting to raise Click
        // after the next change; one more change ends that for the next case.
        cancel_ = false;
        QTest::keyClick(Strip(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(Selected(*tabs_), 1);
    }

    // The focused strip marks its selected tab, however the focus came.
    void focusedStripDrawsTheFocusMark() {
        form::CommandButton& button = form_->AddCommandButton(L"Other", {10, 390, 80, 24}, L"OK");
        QWidget* other = ui_test::WidgetOf(button.Hwnd());
        Click(0);
        QTRY_COMPARE(QApplication::focusWidget(), Strip());
        const QRect tab = Strip()->rect().intersected(QRect(QPoint(ItemRect(*tabs_, 0).left, ItemRect(*tabs_, 0).top),
                                                            QPoint(ItemRect(*tabs_, 0).right - 1, ItemRect(*tabs_, 0).bottom - 1)));
        const QImage focused = Strip()->grab().toImage().copy(tab);
        other->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), other);
        const QImage unfocused = Strip()->grab().toImage().copy(tab);
        QVERIFY(focused != unfocused);
        // Nowhere but on the selected tab.
        const QRect second(QPoint(ItemRect(*tabs_, 1).left, ItemRect(*tabs_, 1).top),
                           QPoint(ItemRect(*tabs_, 1).right - 1, ItemRect(*tabs_, 1).bottom - 1));
        Strip()->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), Strip());
        const QImage secondFocused = Strip()->grab().toImage().copy(second);
        other->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), other);
        QCOMPARE(Strip()->grab().toImage().copy(second), secondFocused);
    }

    void countUpAndDownKeepsTheTexts() {
        const ui::HWND before = tabs_->ControlHwnd();
        tabs_->SetCount(16);
        QVERIFY(tabs_->ControlHwnd() != before);  // Count builds the strip anew
        QVERIFY(!ui::IsWindow(before));
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETITEMCOUNT, 0, 0), 16);
        QVERIFY(tabs_->Tab2(15)->Text().empty());
        QVERIFY(ItemText(*tabs_, 15).empty());
        tabs_->SetCount(15);
        QVERIFY(!tabs_->Tab2(15));
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETITEMCOUNT, 0, 0), 15);
        const wchar_t* texts[] = {L"Processor", L"Geheugengebruik", L"Weergave", L"Netwerk", L"Geluid",
                                  L"Toetsenbord", L"Muis", L"Printers", L"Joysticks", L"Harde Stations",
                                  L"Optische Stations", L"Logische Stations", L"Poorten", L"USB Apparaten", L"Batterij"};
        for (int i = 0; i < 15; ++i) {
            QVERIFY(tabs_->Tab2(static_cast<std::int16_t>(i))->Text() == texts[i]);
            QVERIFY(ItemText(*tabs_, i) == texts[i]);
        }
        QVERIFY(tabs_->IsPropertyChanged(L"Count"));
        QVERIFY(!tabs_->Tab2(-1));
        // The rebuilt strip still reports its clicks.
        Click(2);
        QCOMPARE(events_, (std::vector<std::string>{"BeforeClick", "Click"}));
    }

    void settingsOutOfRangeAreIgnored() {
        const std::uint32_t style = StyleOf(*tabs_);
        tabs_->SetPlacement(4);
        tabs_->SetStyle(3);
        tabs_->SetTabStyle(2);
        tabs_->SetTabWidthStyle(-1);
        tabs_->SetTabFixedWidth(0);
        tabs_->SetCount(-2);
        QCOMPARE(tabs_->Placement(), 0);
        QCOMPARE(tabs_->Style(), 0);
        QCOMPARE(tabs_->TabStyle(), 0);
        QCOMPARE(tabs_->TabFixedWidth(), std::int16_t{32});
        QCOMPARE(tabs_->Count(), std::int16_t{15});
        QCOMPARE(StyleOf(*tabs_), style);
        QVERIFY(tabs_->Changed().Keys().empty());
        // A valid value is marked even when it does not change anything.
        tabs_->SetPlacement(0);
        QVERIFY(tabs_->IsPropertyChanged(L"Placement"));
    }

    void fixedWidthMakesEveryTabThatSize() {
        tabs_->SetTabFixedWidth(100);
        tabs_->SetTabFixedHeight(20);
        tabs_->SetTabWidthStyle(TabControl::kTabWidthFixed);
        QVERIFY(StyleOf(*tabs_) & ui::TCS_FIXEDWIDTH);
        for (int i = 0; i < 15; ++i) {
            const ui::RECT r = ItemRect(*tabs_, i);
            QCOMPARE(r.Width(), 100);
            QCOMPARE(r.Height(), 20);
        }
    }

    void textOfOneTabChangesOnlyThatTab() {
        tabs_->Tab2(3)->SetText(L"X");
        QVERIFY(ItemText(*tabs_, 3) == L"X");
        QVERIFY(ItemText(*tabs_, 2) == L"Weergave");
        QVERIFY(ItemText(*tabs_, 4) == L"Geluid");
        QVERIFY(tabs_->IsPropertyChanged(L"TabText(3)"));
        QVERIFY(!tabs_->IsPropertyChanged(L"TabText(2)"));
    }

    void selectedRowMovesNextToThePage() {
        const ui::RECT first = ItemRect(*tabs_, 0);
        const ui::RECT last = ItemRect(*tabs_, 14);
        QVERIFY(first.top > last.top);  // the selected tab's row lies next to the page
        QCOMPARE(tabs_->HitTest(static_cast<std::int16_t>(ui_test::Center(last).x()), static_cast<std::int16_t>(ui_test::Center(last).y()))->Index(),
                 std::int16_t{14});
        QVERIFY(!tabs_->HitTest(5, 300));
        Click(14);
        QCOMPARE(ItemRect(*tabs_, 14).top, first.top);
        QCOMPARE(ItemRect(*tabs_, 0).top, last.top);
    }

    void oppositeStyleSendsTheRowsInFrontToTheFarSide() {
        tabs_->SetTabStyle(TabControl::kTabStyleOpposite);
        QVERIFY(StyleOf(*tabs_) & ui::TCS_SCROLLOPPOSITE);
        const int top = ItemRect(*tabs_, 0).top;
        Click(14);
        QCOMPARE(ItemRect(*tabs_, 14).top, top - ItemRect(*tabs_, 14).Height());
        QVERIFY(ItemRect(*tabs_, 0).top > Strip()->height() / 2);  // below the page now
    }

    void placementsPutTheTabsOnEachSide() {
        const int width = Strip()->width();
        const int height = Strip()->height();
        tabs_->SetPlacement(TabControl::kPlacementBottom);
        QVERIFY(StyleOf(*tabs_) & ui::TCS_BOTTOM);
        QVERIFY(ItemRect(*tabs_, 0).top > height / 2);
        tabs_->SetPlacement(TabControl::kPlacementLeft);
        QCOMPARE(StyleOf(*tabs_) & (ui::TCS_VERTICAL | ui::TCS_RIGHT), ui::TCS_VERTICAL);
        ui::RECT r = ItemRect(*tabs_, 0);
        QVERIFY(r.right < width / 2 && r.Height() > r.Width());
        tabs_->SetPlacement(TabControl::kPlacementRight);
        r = ItemRect(*tabs_, 0);
        QVERIFY(r.left > width / 2 && r.Height() > r.Width());
    }

    void styleAndHotTrackingSetTheWindowStyle() {
        tabs_->SetStyle(TabControl::kStyleButtons);
        QCOMPARE(StyleOf(*tabs_) & (ui::TCS_BUTTONS | ui::TCS_FLATBUTTONS), ui::TCS_BUTTONS);
        tabs_->SetStyle(TabControl::kStyleFlatButtons);
        QCOMPARE(StyleOf(*tabs_) & (ui::TCS_BUTTONS | ui::TCS_FLATBUTTONS), ui::TCS_BUTTONS | ui::TCS_FLATBUTTONS);
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETEXTENDEDSTYLE, 0, 0), ui::LRESULT{ui::TCS_EX_FLATSEPARATORS});
        tabs_->SetSeparators(false);
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETEXTENDEDSTYLE, 0, 0), 0);
        tabs_->SetHotTracking(true);
        QVERIFY(StyleOf(*tabs_) & ui::TCS_HOTTRACK);
        tabs_->SetMultiRow(false);
        QCOMPARE(ui::SendMessage(tabs_->ControlHwnd(), ui::TCM_GETROWCOUNT, 0, 0), 1);
        // One row that does not fit scrolls to show the selected tab.
        tabs_->SetStyle(TabControl::kStyleTabs);
        Click(0);
        QTest::keyClick(Strip(), Qt::Key_End);
        QVERIFY(ItemRect(*tabs_, 14).right <= Strip()->width());
        QVERIFY(ItemRect(*tabs_, 0).right <= 0);
    }

    void fontIsMadeAtWholePoints() {
        const auto dotsPerInch = ui_test::WidgetOf(tabs_->ControlHwnd())->logicalDpiY();
        ui::LOGFONT log;
        QVERIFY(ui::GetObject(reinterpret_cast<ui::HFONT>(ui::SendMessage(tabs_->ControlHwnd(), ui::WM_GETFONT, 0, 0)), log));
        QCOMPARE(log.lfHeight, -ui::MulDiv(8, dotsPerInch, 72));
        tabs_->SetFont({L"MS Sans Serif", 12.5});
        QVERIFY(ui::GetObject(reinterpret_cast<ui::HFONT>(ui::SendMessage(tabs_->ControlHwnd(), ui::WM_GETFONT, 0, 0)), log));
        QCOMPARE(log.lfHeight, -ui::MulDiv(12, dotsPerInch, 72));
    }

    void tooltipsFollowTheirTabs() {
        tabs_->Tab2(12)->SetToolTipText(L"Seriële en parallelle poorten");
        QVERIFY(tabs_->IsPropertyChanged(L"TabToolTipText(12)"));
        const auto askAt = [&](int index) {
            const QPoint point = ui_test::Center(ItemRect(*tabs_, index));
            QHelpEvent help(QEvent::ToolTip, point, Strip()->mapToGlobal(point));
            QApplication::sendEvent(Strip(), &help);
        };
        askAt(12);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Seriële en parallelle poorten"));
        QToolTip::hideText();
        QTRY_VERIFY(QToolTip::text().isEmpty());
        // The rows turn round; the tip goes with its tab.
        Click(12);
        askAt(12);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Seriële en parallelle poorten"));
        QToolTip::hideText();
        QTRY_VERIFY(QToolTip::text().isEmpty());
        tabs_->SetShowTips(false);
        askAt(12);
        QTest::qWait(50);
        QVERIFY(QToolTip::text().isEmpty());
    }

    void disabledControlIgnoresClicks() {
        tabs_->SetEnabled(false);
        QVERIFY(!ui::IsWindowEnabled(tabs_->ControlHwnd()));
        Click(3);
        QVERIFY(events_.empty());
        QCOMPARE(Selected(*tabs_), 0);
    }

    void settingsWriteBackWithoutDefaults() {
        tabs_->Tab2(1)->SetTag(L"geheugen");
        controls::PropertyBag bag;
        tabs_->WriteProperties(bag);
        QCOMPARE(bag.ReadLong(L"Count", 0), 15);
        QVERIFY(bag.ReadBool(L"MultiRow", false));
        QVERIFY(bag.ReadString(L"TabText(14)", L"") == L"Batterij");
        QVERIFY(bag.ReadString(L"TabTag(1)", L"") == L"geheugen");
        QVERIFY(!bag.Contains(L"Placement"));
        QVERIFY(!bag.Contains(L"Enabled"));
        QVERIFY(!bag.Contains(L"TabTag(0)"));
        // A stored value out of range reads as the default.
        controls::PropertyBag broken;
        broken.WriteLong(L"Count", -3, 0);
        broken.WriteLong(L"Placement", 9, 0);
        tabs_->ReadProperties(broken);
        QCOMPARE(tabs_->Count(), std::int16_t{0});
        QCOMPARE(tabs_->Placement(), 0);
        QVERIFY(!tabs_->SelectedTab());
    }
};

QTEST_MAIN(TabControlTest)
#include "tab_control_test.moc"
