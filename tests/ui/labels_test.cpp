// The sunken value label and the gradient header as Qt draws them: edges,
// the mnemonic rule, fonts, the gradient, and the header's mouse (their
// settings and clicks run on both sides: tests/window_cases).

#include <QMenu>
#include <QTest>

#include <memory>
#include <vector>

#include "window/controls/Colors.h"
#include "window/controls/InfoFrame.h"
#include "window/controls/SunkenLabel.h"
#include "window/form/form.h"
#include "window/form/label.h"
#include "window/ui/gdi.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::Gradient;
using controls::InfoFrame;
using controls::SunkenLabel;

namespace {

ui::WNDPROC g_previous = nullptr;

// Paints a 0,0,0 to 100,0,0 gradient, across or down.
bool g_upDown = false;
ui::LRESULT PaintGradient(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    const ui::LRESULT result = ui::CallWindowProc(g_previous, window, message, wParam, lParam);
    if (message == ui::WM_PAINT) {
        Gradient gradient;
        gradient.SetOwnerHwnd(window);
        gradient.SetUpDown(g_upDown);
        gradient.Show(0, 0, 0, 100, 0, 0);
    }
    return result;
}

}  // namespace

class LabelsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;

    QImage RenderSunken(const std::wstring& text, bool mnemonic, double points) {
        SunkenLabel label(form_->Hwnd(), {10, 10, 80, 24});
        label.InitProperties();
        label.SetFont({L"MS Sans Serif", points});
        label.SetUseMnemonic(mnemonic);
        label.SetText(text);
        return ui_test::Grab(label.ControlHwnd());
    }

private slots:
    void init() {
        g_previous = nullptr;
        g_upDown = false;
        form_ = std::make_unique<form::Form>(L"TestForm", form::TwipsToPixels(9255), 300);
    }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    void sunkenBoxHasAOnePixelEdgeAndItsFill() {
        SunkenLabel label(form_->Hwnd(), {10, 10, 40, 20});
        label.InitProperties();
        const QImage box = ui_test::Grab(label.ControlHwnd());
        QCOMPARE(ui_test::Pixel(box, 5, 0), ui::GetSysColor(ui::COLOR_BTNSHADOW));
        QCOMPARE(ui_test::Pixel(box, 0, 5), ui::GetSysColor(ui::COLOR_BTNSHADOW));
        QCOMPARE(ui_test::Pixel(box, 39, 5), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
        QCOMPARE(ui_test::Pixel(box, 5, 19), ui::GetSysColor(ui::COLOR_BTNHIGHLIGHT));
        // An empty text: everything inside the edge is the background.
        for (int y = 1; y < 19; ++y) {
            for (int x = 1; x < 39; ++x) QCOMPARE(ui_test::Pixel(box, x, y), ui::GetSysColor(ui::COLOR_BTNFACE));
        }
        label.SetBackColor(ui::RGB(200, 10, 10));
        QCOMPARE(ui_test::Pixel(ui_test::Grab(label.ControlHwnd()), 20, 10), ui::RGB(200, 10, 10));
    }

    // With the mnemonic rule "A&B" shows as "AB" with an underline; without
    // it, as "A&B".
    void mnemonicRule() {
        const QImage marked = RenderSunken(L"A&B", true, 8.25);
        const QImage bare = RenderSunken(L"AB", false, 8.25);
        const QImage literal = RenderSunken(L"A&B", false, 8.25);
        QVERIFY(marked != bare);
        QVERIFY(literal != bare);
        // "A" is drawn the same in all three; the marked B only gains a line below.
        int differentRows = 0;
        for (int y = 0; y < marked.height(); ++y) {
            bool differs = false;
            for (int x = 0; x < marked.width(); ++x) differs |= marked.pixel(x, y) != bare.pixel(x, y);
            differentRows += differs ? 1 : 0;
        }
        QVERIFY(differentRows >= 1 && differentRows <= 2);
    }

    void fontSizeIsRoundedToWholePoints() {
        QCOMPARE(RenderSunken(L"Hg", true, 12.5), RenderSunken(L"Hg", true, 12));
        QVERIFY(RenderSunken(L"Hg", true, 12.5) != RenderSunken(L"Hg", true, 13));
        QCOMPARE(RenderSunken(L"Hg", true, 8.25), RenderSunken(L"Hg", true, 8));
    }

    // A value with a tab stop draws as any label until the keyboard has been
    // used; then, focused, it shows a mark around its text and within its
    // box, which goes with the focus.
    void aValuesFocusMarkShowsOnlyOnceTheKeyboardIsUsed() {
        form::Label& plain = form_->AddLabel(L"LabelPlain", {10, 10, 200, 17}, L"WD-123");
        form::Label& value = form_->AddLabel(L"LabelValue", {10, 40, 200, 17}, L"WD-123");
        form::Label& other = form_->AddLabel(L"LabelOther", {10, 70, 200, 17}, L"2");
        value.SetTabStop(true);
        other.SetTabStop(true);
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        const QImage unmarked = ui_test::Grab(plain.Hwnd());
        QCOMPARE(ui_test::Grab(value.Hwnd()), unmarked);
        QWidget* valueWidget = ui_test::WidgetOf(value.Hwnd());
        QTest::mouseClick(valueWidget, Qt::LeftButton, {}, QPoint(5, 8));
        QVERIFY(valueWidget->hasFocus());
        QCOMPARE(ui_test::Grab(value.Hwnd()), unmarked);  // a click: no mark yet

        QTest::keyClick(valueWidget, Qt::Key_Tab);
        QVERIFY(ui_test::WidgetOf(other.Hwnd())->hasFocus());
        QTest::keyClick(ui_test::WidgetOf(other.Hwnd()), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(valueWidget->hasFocus());
        const QImage marked = ui_test::Grab(value.Hwnd());
        QCOMPARE(marked.size(), unmarked.size());
        QVERIFY(marked != unmarked);
        // Around the text only: the columns past it are as they were.
        const int textEnd = value.CaptionWidth() + 2 * 2;
        for (int x = textEnd + 1; x < marked.width(); ++x)
            for (int y = 0; y < marked.height(); ++y) QCOMPARE(marked.pixel(x, y), unmarked.pixel(x, y));

        ui::SetFocus(other.Hwnd());
        QCOMPARE(ui_test::Grab(value.Hwnd()), unmarked);
    }

    // A label made from another's stored settings draws the same.
    void aCopyFromStoredSettingsDrawsTheSame() {
        SunkenLabel label(form_->Hwnd(), {10, 10, 80, 24});
        label.InitProperties();
        label.SetAlignment(SunkenLabel::kAlignCenter);
        label.SetText(L"2");
        controls::PropertyBag bag;
        label.WriteProperties(bag);
        SunkenLabel copy(form_->Hwnd(), {10, 40, 80, 24});
        copy.ReadProperties(bag);
        QCOMPARE(ui_test::Grab(copy.ControlHwnd()), ui_test::Grab(label.ControlHwnd()));
    }

    void gradientColumnsStepEvenly_data() {
        QTest::addColumn<bool>("upDown");
        QTest::newRow("left to right") << false;
        QTest::newRow("top to bottom") << true;
    }
    void gradientColumnsStepEvenly() {
        QFETCH(bool, upDown);
        g_upDown = upDown;
        const ui::HWND window = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0,
                                                   upDown ? 4 : 10, upDown ? 10 : 4, form_->Hwnd());
        g_previous = ui::SetWindowProc(window, &PaintGradient);
        const QImage image = ui_test::Grab(window);
        for (int n = 0; n < 10; ++n) {
            const ui::COLORREF color = upDown ? ui_test::Pixel(image, 2, n) : ui_test::Pixel(image, n, 2);
            QCOMPARE(color, ui::RGB(10 * n, 0, 0));
        }
    }

    void headerPaintsItsGradientOnlyBetweenTwoColours() {
        InfoFrame header(form_->Hwnd(), {0, 0, 320, 100});
        header.InitProperties();
        const int right = ui_test::WidgetOf(header.hWnd())->width() - 1;
        QImage band = ui_test::Grab(header.hWnd());
        QCOMPARE(ui_test::Pixel(band, 0, 2), InfoFrame::kDefaultColor);
        QCOMPARE(ui_test::Pixel(band, right, 2), InfoFrame::kDefaultColor);
        header.SetGradientColor(ui::RGB(255, 255, 255));
        band = ui_test::Grab(header.hWnd());
        QCOMPARE(ui_test::Pixel(band, 0, 2), InfoFrame::kDefaultColor);
        QVERIFY(ui::GetBValue(ui_test::Pixel(band, right, 2)) >= 254);
        // The etched line closes it at the bottom.
        QCOMPARE(ui_test::Pixel(band, 5, 61), ui::RGB(128, 128, 128));
        QCOMPARE(ui_test::Pixel(band, 5, 62), ui::RGB(255, 255, 255));
    }

    // The header's text label takes the width beside the icon.
    void headersTextTakesTheWidthBesideTheIcon() {
        InfoFrame header(form_->Hwnd(), {0, 0, 320, 100}, L"Header");
        QCOMPARE(ui_test::WidgetOf(header.hWnd())->findChild<QWidget*>(QStringLiteral("Header.LabelText"))->width(),
                 form_->ClientWidth() - 71);
    }

    void headerClicksAnywhereRaiseItsEvents() {
        InfoFrame header(form_->Hwnd(), {0, 0, 320, 63}, L"Header");
        header.SetText(L"Veltrix");
        int clicks = 0;
        int doubleClicks = 0;
        header.Click.Connect([&] { ++clicks; });
        header.DblClick.Connect([&] { ++doubleClicks; });
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QWidget* band = ui_test::WidgetOf(header.hWnd());
        QTest::mouseClick(band, Qt::LeftButton, {}, QPoint(400, 50));
        QTest::mouseDClick(band, Qt::LeftButton, {}, QPoint(400, 50));
        QWidget* text = band->findChild<QWidget*>(QStringLiteral("Header.LabelText"));
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseDClick(text, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 2);
        QCOMPARE(doubleClicks, 2);
        // The icon raises Click and opens the window menu.
        QTest::mouseClick(band->findChild<QWidget*>(QStringLiteral("Header.ImageIcon")), Qt::LeftButton, {}, QPoint(16, 16));
        QCOMPARE(clicks, 3);
        QMenu* popup = nullptr;
        QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        popup->close();
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    // A right click on the band, its text or its icon opens the window menu
    // where it was made, raising no Click; the icon's tooltip names the keys.
    void headerRightClickOpensTheWindowMenuThere() {
        InfoFrame header(form_->Hwnd(), {0, 0, 320, 63}, L"Header");
        header.SetText(L"Veltrix");
        int clicks = 0;
        header.Click.Connect([&] { ++clicks; });
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        QWidget* band = ui_test::WidgetOf(header.hWnd());
        QWidget* text = band->findChild<QWidget*>(QStringLiteral("Header.LabelText"));
        QWidget* icon = band->findChild<QWidget*>(QStringLiteral("Header.ImageIcon"));
        const std::pair<QWidget*, QPoint> places[] = {{band, QPoint(300, 50)}, {text, QPoint(5, 5)}, {icon, QPoint(16, 16)}};
        for (const auto& [widget, point] : places) {
            QTest::mouseClick(widget, Qt::RightButton, {}, point);
            QMenu* popup = nullptr;
            QTRY_VERIFY((popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
            QCOMPARE(popup->objectName(), QStringLiteral("windowMenu"));
            QCOMPARE(popup->pos(), widget->mapToGlobal(point));
            popup->close();
            QTRY_VERIFY(!QApplication::activePopupWidget());
        }
        QCOMPARE(clicks, 0);
        const QString tip = icon->toolTip();
        QVERIFY2(tip.contains(QStringLiteral("Shift+F10")) && tip.contains(QStringLiteral("Menu-toets")) &&
                     tip.contains(QStringLiteral("rechts")),
                 qPrintable(tip));
    }

};

QTEST_MAIN(LabelsTest)
#include "labels_test.moc"
