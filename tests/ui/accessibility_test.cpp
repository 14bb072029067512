// What a screen reader is told of the toolkit's windows: names, roles,
// states, the label tie, reading order, a scroll bar's value, the tab
// strip's tabs. Qt passes announcements on only to a screen reader that
// listens, which the offscreen platform has none of: the end-to-end test
// (tests/e2e/accessibility_tree.py) hears them over AT-SPI.

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

#include <memory>
#include <vector>

#include "window/controls/InfoFrame.h"
#include "window/controls/PropertyBag.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/TabControl.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/ui/accessibility.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

QAccessibleInterface* Accessible(ui::HWND window) { return QAccessible::queryAccessibleInterface(ui_test::WidgetOf(window)); }

QString Name(ui::HWND window) {
    QAccessibleInterface* accessible = Accessible(window);
    return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

QList<QAccessibleInterface*> Related(ui::HWND window, QAccessible::Relation relation) {
    QList<QAccessibleInterface*> related;
    for (const auto& [other, kind] : Accessible(window)->relations(relation)) related.append(other);
    return related;
}

QStringList ChildNames(QAccessibleInterface* parent) {
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i) names << parent->child(i)->text(QAccessible::Name);
    return names;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;

private slots:
    void init() {
        form_ = std::make_unique<form::Form>(L"TestForm", 400, 300);
    }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    void labelsReadAsTheyAreDrawn() {
        form::Label& caption = form_->AddLabel(L"Caption", {10, 10, 100, 17}, L"&Naam:");
        form::Label& value = form_->AddLabel(L"Value", {120, 10, 100, 17}, L"Smith && Wesson & Co");
        value.SetUseMnemonic(false);
        form::Label& empty = form_->AddLabel(L"Empty", {120, 40, 100, 17});
        ui::SetLabelledBy(empty.Hwnd(), caption.Hwnd());
        QCOMPARE(Accessible(caption.Hwnd())->role(), QAccessible::StaticText);
        QCOMPARE(Name(caption.Hwnd()), QStringLiteral("Naam:"));
        QCOMPARE(Name(value.Hwnd()), QStringLiteral("Smith && Wesson & Co"));
        // An empty value is empty, not its caption read twice.
        QCOMPARE(Name(empty.Hwnd()), QString());
        QCOMPARE(Accessible(form_->Hwnd())->role(), QAccessible::Window);
    }

    void aTieRunsBothWaysAndGoesWithItsLabel() {
        auto caption = std::make_unique<form::Label>(form_->Hwnd(), L"Caption", form::Bounds{10, 10, 100, 17}, L"Naam:");
        form::Label& value = form_->AddLabel(L"Value", {120, 10, 100, 17}, L"Kantoor");
        form::Label& other = form_->AddLabel(L"Other", {120, 40, 100, 17}, L"PDF");
        QVERIFY(ui::SetLabelledBy(value.Hwnd(), caption->Hwnd()));
        QVERIFY(ui::SetLabelledBy(other.Hwnd(), caption->Hwnd()));
        QCOMPARE(ui::GetLabelledBy(value.Hwnd()), caption->Hwnd());
        QCOMPARE(Related(value.Hwnd(), QAccessible::Label), QList{Accessible(caption->Hwnd())});
        const auto labelled = Related(caption->Hwnd(), QAccessible::Labelled);
        QCOMPARE(labelled.size(), 2);
        QVERIFY(labelled.contains(Accessible(value.Hwnd())) && labelled.contains(Accessible(other.Hwnd())));

        // Refused: no window, a label that is no window, a window naming itself.
        QVERIFY(!ui::SetLabelledBy(nullptr, caption->Hwnd()));
        QVERIFY(!ui::SetLabelledBy(value.Hwnd(), reinterpret_cast<ui::HWND>(0xDEAD)));
        QVERIFY(!ui::SetLabelledBy(value.Hwnd(), value.Hwnd()));
        QCOMPARE(ui::GetLabelledBy(value.Hwnd()), caption->Hwnd());

        QVERIFY(ui::SetLabelledBy(other.Hwnd(), nullptr));
        QCOMPARE(Related(caption->Hwnd(), QAccessible::Labelled), QList{Accessible(value.Hwnd())});
        caption.reset();
        ui_test::FlushDeletes();
        QCOMPARE(ui::GetLabelledBy(value.Hwnd()), nullptr);
        QVERIFY(Related(value.Hwnd(), QAccessible::Label).isEmpty());
    }

    void aWindowWithoutTextIsNamedByItsLabel() {
        form::Label& caption = form_->AddLabel(L"Caption", {10, 10, 100, 17}, L"Index:");
        form::HScrollBar& bar = form_->AddHScrollBar(L"Bar", {120, 8, 33, 19});
        QCOMPARE(Name(bar.Hwnd()), QString());
        ui::SetLabelledBy(bar.Hwnd(), caption.Hwnd());
        QCOMPARE(Name(bar.Hwnd()), QStringLiteral("Index:"));
        caption.SetCaption(L"Nummer:");
        QCOMPARE(Name(bar.Hwnd()), QStringLiteral("Nummer:"));
    }

    void theIndexBoxReadsItsNumberAndKeepsItsTie() {
        form::Label& caption = form_->AddLabel(L"Caption", {10, 10, 100, 17}, L"Index:");
        controls::SunkenLabel box(form_->Hwnd(), {120, 8, 33, 17}, L"Box");
        box.InitProperties();
        ui::SetLabelledBy(box.ControlHwnd(), caption.Hwnd());
        box.SetText(L"3");
        QCOMPARE(Name(box.ControlHwnd()), QStringLiteral("3"));
        // Reading stored settings makes the inner window anew; text and tie stay.
        box.ReadProperties(controls::PropertyBag());
        box.SetText(L"4");
        QCOMPARE(Name(box.ControlHwnd()), QStringLiteral("4"));
        QCOMPARE(ui::GetLabelledBy(box.ControlHwnd()), caption.Hwnd());
    }

    // Made in any order, read by rows: an index box and its bar stand a few
    // pixels above their caption and still follow it.
    void childrenReadTopToBottomThenLeftToRight() {
        form::Frame& page = form_->AddFrame(L"Page", {0, 0, 400, 200});
        page.AddLabel(L"Value2", {136, 48, 100, 17}, L"v2");
        page.AddHScrollBar(L"Bar", {169, 21, 33, 19});
        page.AddLabel(L"Caption2", {16, 48, 100, 17}, L"c2");
        page.AddLabel(L"Box", {136, 22, 33, 17}, L"0");
        page.AddLabel(L"Index", {16, 24, 100, 17}, L"Index:");
        page.AddLabel(L"Right", {312, 48, 60, 17}, L"r2");
        QAccessibleInterface* accessible = Accessible(page.Hwnd());
        QCOMPARE(ChildNames(accessible), (QStringList{"Index:", "0", "", "c2", "v2", "r2"}));
        for (int i = 0; i < accessible->childCount(); ++i) QCOMPARE(accessible->indexOfChild(accessible->child(i)), i);
        QCOMPARE(accessible->child(6), nullptr);
    }

    void aScrollBarHasItsValueAndMovesAsTheUserMovesIt() {
        form::HScrollBar& bar = form_->AddHScrollBar(L"Bar", {10, 10, 33, 19});
        bar.SetMax(3);
        bar.SetValue(2);
        int changes = 0;
        bar.Change.Connect([&] { ++changes; });
        QAccessibleInterface* accessible = Accessible(bar.Hwnd());
        QCOMPARE(accessible->role(), QAccessible::ScrollBar);
        QAccessibleValueInterface* value = accessible->valueInterface();
        QVERIFY(value);
        QCOMPARE(value->minimumValue().toInt(), 0);
        QCOMPARE(value->maximumValue().toInt(), 3);
        QCOMPARE(value->currentValue().toInt(), 2);
        value->setCurrentValue(3);
        QCOMPARE(bar.Value(), 3);
        QCOMPARE(changes, 1);
        // A disabled bar (one device) is not moved.
        bar.SetEnabled(false);
        value->setCurrentValue(0);
        QCOMPARE(bar.Value(), 3);
        QVERIFY(accessible->state().disabled);
    }

    void theTabStripIsAPageTabListWithItsSelection() {
        controls::TabControl tabs(form_->Hwnd(), {0, 0, 300, 200}, L"Tabs");
        tabs.InitProperties();
        tabs.SetCount(3);
        tabs.Tab2(0)->SetText(L"&Een");
        tabs.Tab2(1)->SetText(L"Twee");
        tabs.Tab2(2)->SetText(L"Drie");
        int clicks = 0;
        tabs.Click.Connect([&] { ++clicks; });
        QAccessibleInterface* list = Accessible(tabs.ControlHwnd());
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(ChildNames(list), (QStringList{"Een", "Twee", "Drie"}));
        auto selected = [&] {
            std::vector<bool> marks;
            for (int i = 0; i < list->childCount(); ++i) marks.push_back(list->child(i)->state().selected);
            return marks;
        };
        QCOMPARE(selected(), (std::vector<bool>{true, false, false}));
        QCOMPARE(list->child(1)->role(), QAccessible::PageTab);
        QCOMPARE(list->child(1)->parent(), list);
        QCOMPARE(list->indexOfChild(list->child(2)), 2);

        // Pressed as a click: selected, Click raised.
        list->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(selected(), (std::vector<bool>{false, false, true}));
        QCOMPARE(tabs.SelectedTab()->Index(), 2);
        QCOMPARE(clicks, 1);
        // With the keyboard in the strip, the selected tab has it.
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        ui::SetFocus(tabs.ControlHwnd());
        QVERIFY(list->child(2)->state().focused);
        QVERIFY(!list->child(0)->state().focused);
        QCOMPARE(list->focusChild(), list->child(2));
        // The selected tab pressed again: Click alone.
        list->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks, 2);

        tabs.Tab2(1)->SetText(L"Zwei");
        QCOMPARE(list->child(1)->text(QAccessible::Name), QStringLiteral("Zwei"));

        // Fewer tabs, fewer children; the tabs that went are no more.
        tabs.SetCount(2);
        list = Accessible(tabs.ControlHwnd());
        QCOMPARE(list->childCount(), 2);
        QCOMPARE(list->child(2), nullptr);
    }

    void theHeaderIsNamedByItsText() {
        controls::InfoFrame header(form_->Hwnd(), {0, 0, 400, 63}, L"Header");
        header.InitProperties();
        header.SetText(L"Veltrix");
        QCOMPARE(Accessible(header.hWnd())->role(), QAccessible::Pane);
        QCOMPARE(Name(header.hWnd()), QStringLiteral("Veltrix"));
        QAccessibleInterface* icon = Accessible(header.hWnd())->child(0);
        QCOMPARE(icon->role(), QAccessible::Graphic);
        QCOMPARE(icon->text(QAccessible::Name), QStringLiteral("Venstermenu"));
        QCOMPARE(Accessible(header.hWnd())->child(1)->text(QAccessible::Name), QStringLiteral("Veltrix"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
