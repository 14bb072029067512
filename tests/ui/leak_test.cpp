// Every control, made and destroyed many times, leaves no window, widget,
// font, brush, device context or window property behind.

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

#include "window/controls/InfoFrame.h"
#include "window/controls/StoredForm.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/SystemMenu.h"
#include "window/controls/TabControl.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/form/line.h"
#include "window/ui/gdi.h"
#include "window/ui/menu.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

constexpr int kRounds = 200;

struct Counts {
    std::size_t windows = ui::GetWindowCount();
    std::size_t widgets = static_cast<std::size_t>(QApplication::allWidgets().size());
    std::size_t gdiObjects = ui::GetGdiObjectCount();
    std::size_t properties = ui::GetTotalPropCount();
    friend bool operator==(const Counts&, const Counts&) = default;
};

QByteArray Describe(const Counts& c) {
    return QByteArray("windows ") + QByteArray::number(qulonglong(c.windows)) + " widgets " +
           QByteArray::number(qulonglong(c.widgets)) + " gdi " + QByteArray::number(qulonglong(c.gdiObjects)) +
           " properties " + QByteArray::number(qulonglong(c.properties));
}

}  // namespace

class LeakTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;

    // Runs `round` many times; afterwards everything it made must be gone.
    void ExpectNothingLeftBy(const std::function<void()>& round) {
        round();  // first use may set up what lives for the program (menus, font substitutes)
        ui_test::FlushDeletes();
        const Counts before;
        for (int i = 0; i < kRounds; ++i) round();
        ui_test::FlushDeletes();
        const Counts after;
        QVERIFY2(after == before, (Describe(before) + " before, " + Describe(after) + " after").constData());
    }

private slots:
    void init() {
        form_ = std::make_unique<form::Form>(L"FormVeltrix", form::TwipsToPixels(9255), form::TwipsToPixels(6330));
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
    }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    void tabControl() {
        ExpectNothingLeftBy([&] {
            controls::TabControl tabs(form_->Hwnd(), form::Twips(120, 1080, 9015, 5145));
            tabs.InitProperties();
            tabs.SetMultiRow(true);
            tabs.SetCount(15);  // builds the strip and its tooltips anew
            tabs.Tab2(3)->SetToolTipText(L"tip");
            tabs.SetFont({L"Verdana", 9.75, true});
            tabs.SetTabStyle(controls::TabControl::kTabStyleOpposite);
            ui::SetFocus(tabs.hWnd());  // starts the key filter
            ui_test::Grab(tabs.ControlHwnd());
        });
    }

    void systemMenu() {
        ExpectNothingLeftBy([&] {
            controls::SystemMenu menu(form_->Hwnd());
            menu.InitProperties();
            menu.SetCount(5);
            menu.SystemMenuItem(1)->SetText(L"Opslaan &Als...");
            menu.SetEnabled(false);
        });
        // Its entries are replaced each time, not added again.
        QCOMPARE(ui::GetMenuItemCount(ui::GetSystemMenu(form_->Hwnd(), false)), 5 + 5);
    }

    void sunkenLabel() {
        ExpectNothingLeftBy([&] {
            controls::SunkenLabel label(form_->Hwnd(), form::Twips(2040, 1050, 495, 255));
            label.InitProperties();
            for (int i = 0; i < 3; ++i) label.SetText(std::to_wstring(i));  // a new font each time
            label.SetAlignment(controls::SunkenLabel::kAlignCenter);
            ui_test::Grab(label.ControlHwnd());
        });
    }

    void infoFrame() {
        ExpectNothingLeftBy([&] {
            controls::InfoFrame header(form_->Hwnd(), form::Twips(0, 0, 9255, 945));
            header.InitProperties();
            header.SetGradientColor(0xE4D4C8);
            header.SetText(L"Veltrix");
            ui_test::Grab(header.hWnd());
        });
    }

    void formAndItsControls() {
        ExpectNothingLeftBy([&] {
            form::Form page(L"Page", 300, 200);
            form::Frame& frame = page.AddFrame(L"Frame", {0, 0, 200, 100});
            frame.AddLabel(L"Label", {5, 5, 80, 17}, L"Naam:");
            frame.AddHScrollBar(L"Scroll", {5, 30, 33, 19}).SetMax(3);
            page.AddLine(L"Line", 0, 150, 300, 150);
            page.AddCommandButton(L"OK", {5, 160, 80, 24}, L"OK");
            page.AddTimer(L"Timer").SetInterval(500);
            ui_test::Grab(page.Hwnd());
        });
    }
};

QTEST_MAIN(LeakTest)
#include "leak_test.moc"
