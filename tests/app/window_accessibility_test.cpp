// What a screen reader finds on every page of the Veltrix window, offscreen:
// the page's rows in the page table's order, each value tied to its caption,
// the index box and its scroll bar tied to the Index caption; and what the
// keyboard reaches: Tab from the tab strip goes value by value through the
// shown page in row order and to no page hidden, and Ctrl+C copies the
// focused value with its caption, as the report writes the line.

#include <QAccessible>
#include <QTest>

#include <memory>
#include <vector>

#include "app/FormVeltrix.h"
#include "app/pages/PageRows.h"
#include "window/ui/accessibility.h"
#include "window/ui/clipboard.h"
#include "window/ui/messages.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "sim_fixture.h"
#include "ui_test_support.h"

using app::FormVeltrix;
namespace ui = window::ui;

namespace {

QAccessibleInterface* Accessible(ui::HWND window) { return QAccessible::queryAccessibleInterface(ui_test::WidgetOf(window)); }

// The windows a page is read as, in the order its table gives its rows.
std::vector<ui::HWND> RowWindows(FormVeltrix& form, int category) {
    std::vector<ui::HWND> windows;
    for (const app::PageRow& row : app::Page(category).rows) {
        windows.push_back(form.CaptionLabel(row.label).Hwnd());
        if (row.isIndexRow) {
            windows.push_back(form.SunkenLabelIndex(category).hWnd());
            windows.push_back(form.HScrollIndex(category).Hwnd());
        } else {
            windows.push_back(form.ValueLabel(row.label).Hwnd());
        }
    }
    return windows;
}

// The windows Tab reaches on a page, in row order: each value, and the
// index row's scroll bar (the box beside it shows the same number).
std::vector<ui::HWND> TabStops(FormVeltrix& form, int category) {
    std::vector<ui::HWND> stops;
    for (const app::PageRow& row : app::Page(category).rows) {
        if (!row.isIndexRow) stops.push_back(form.ValueLabel(row.label).Hwnd());
        else if (form.HScrollIndex(category).Enabled()) stops.push_back(form.HScrollIndex(category).Hwnd());
    }
    return stops;
}

void ShowTab(FormVeltrix& form, int index) {
    ui::RECT r{};
    QVERIFY(ui::SendMessage(form.TabControlVeltrix().ControlHwnd(), ui::TCM_GETITEMRECT, static_cast<ui::WPARAM>(index),
                            reinterpret_cast<ui::LPARAM>(&r)));
    QTest::mouseClick(ui_test::WidgetOf(form.TabControlVeltrix().ControlHwnd()), Qt::LeftButton, {}, ui_test::Center(r));
}

}  // namespace

class WindowAccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageReadsItsRowsInOrderEachValueTiedToItsCaption() {
        auto machine = testing_support::SimMachineFile("desktop.json");
        FormVeltrix form(*machine);
        form.Load();
        for (int category = 0; category < app::kCategoryCount; ++category) {
            QAccessibleInterface* page = Accessible(form.FrameVeltrix(category).Hwnd());
            const std::vector<ui::HWND> expected = RowWindows(form, category);
            QCOMPARE(page->childCount(), static_cast<int>(expected.size()));
            for (std::size_t i = 0; i < expected.size(); ++i)
                QCOMPARE(page->child(static_cast<int>(i))->object(), ui_test::WidgetOf(expected[i]));

            for (const app::PageRow& row : app::Page(category).rows) {
                const ui::HWND caption = form.CaptionLabel(row.label).Hwnd();
                if (!row.isIndexRow) {
                    QCOMPARE(ui::GetLabelledBy(form.ValueLabel(row.label).Hwnd()), caption);
                    continue;
                }
                QCOMPARE(ui::GetLabelledBy(form.SunkenLabelIndex(category).ControlHwnd()), caption);
                QCOMPARE(ui::GetLabelledBy(form.HScrollIndex(category).Hwnd()), caption);
                QCOMPARE(Accessible(form.HScrollIndex(category).Hwnd())->text(QAccessible::Name),
                         QStringLiteral("Index:"));
                QCOMPARE(Accessible(form.SunkenLabelIndex(category).ControlHwnd())->text(QAccessible::Name),
                         QString::fromStdWString(form.SunkenLabelIndex(category).Text()));
            }
        }
    }

    // Processor (one column), USB Devices (two columns in its last rows)
    // and Printers (an index row, a second printer).
    void tabGoesValueByValueThroughTheShownPageOnly() {
        auto machine = testing_support::SimMachineFile("desktop.json");
        FormVeltrix form(*machine);
        form.Load();
        QVERIFY(ui_test::ShowActive(form.Form().Hwnd()));
        for (const int category : {app::kProcessor, app::kUSBDevices, app::kPrinters}) {
            ShowTab(form, category);
            QCOMPARE(ui::GetFocus(), form.TabControlVeltrix().ControlHwnd());
            for (const ui::HWND stop : TabStops(form, category)) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(ui::GetFocus(), stop);
                QVERIFY(Accessible(stop)->state().focusable && Accessible(stop)->state().focused);
            }
            // Past the page's last value: no value of any page.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            for (int other = 0; other < app::kCategoryCount; ++other)
                for (const ui::HWND stop : TabStops(form, other)) QVERIFY(ui::GetFocus() != stop);
        }
        // Captions and index boxes take no focus.
        QVERIFY(!Accessible(form.CaptionLabel("LabelPrintersName").Hwnd())->state().focusable);
        QVERIFY(!Accessible(form.SunkenLabelIndex(app::kPrinters).ControlHwnd())->state().focusable);
    }

    void ctrlCCopiesTheFocusedValueWithItsCaption() {
        auto machine = testing_support::SimMachineFile("desktop.json");
        FormVeltrix form(*machine);
        form.Load();
        QVERIFY(ui_test::ShowActive(form.Form().Hwnd()));
        ShowTab(form, app::kHardDrives);
        window::form::Label& serial = form.ValueLabel("LabelHarddrivesSerialnumber");
        serial.SetFocus();
        QTest::keyClick(ui_test::WidgetOf(serial.Hwnd()), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(ui::GetClipboardText(),
                 form.CaptionLabel("LabelHarddrivesSerialnumber").Caption() + L" " + serial.Caption());
        QVERIFY(ui::GetClipboardText().starts_with(L"Serienummer: "));
    }

    // The header, then the tabs, then the page: the order of the window.
    void theWindowReadsHeaderTabsPage() {
        auto machine = testing_support::SimMachineFile("desktop.json");
        FormVeltrix form(*machine);
        form.Load();
        QAccessibleInterface* window = Accessible(form.Form().Hwnd());
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Veltrix"));
        QCOMPARE(window->child(0)->object(), ui_test::WidgetOf(form.InfoFrameVeltrix().hWnd()));
        QCOMPARE(window->child(1)->object(), ui_test::WidgetOf(form.TabControlVeltrix().hWnd()));
        QCOMPARE(window->child(2)->object(), ui_test::WidgetOf(form.FrameVeltrix(0).Hwnd()));
        QCOMPARE(window->child(0)->text(QAccessible::Name), QStringLiteral("Veltrix"));
    }
};

QTEST_MAIN(WindowAccessibilityTest)
#include "window_accessibility_test.moc"
