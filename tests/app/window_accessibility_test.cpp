// What a screen reader finds on every page of the Veltrix window, offscreen:
// the page's rows in the page table's order, each value tied to its caption,
// the index box and its scroll bar tied to the Index caption.

#include <QAccessible>
#include <QTest>

#include <memory>
#include <vector>

#include "app/FormVeltrix.h"
#include "app/pages/PageRows.h"
#include "window/ui/accessibility.h"
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
