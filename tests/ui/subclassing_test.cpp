// Installing and removing window procedures with their properties, the
// controls' procedures for messages they do not expect, and the key filter
// the tab strip uses.

#include <QTest>

#include <memory>
#include <vector>

#include "window/controls/Subclassing.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/TabControl.h"
#include "window/controls/TranslateMessage.h"
#include "window/controls/WindowProcedures.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/ui/gdi.h"
#include "window/ui/messages.h"
#include "window/qt/ui/gdi_objects.h"
#include "window/ui/window.h"
#include "ui_test_support.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::Subclassing;
using controls::TranslateMessage;
using controls::TranslateProxy;

namespace {

std::vector<ui::UINT> g_seen;

ui::LRESULT Counting(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    g_seen.push_back(message);
    return ui::CallWindowProc(controls::PreviousProcedure(window, L"CountingProc"), window, message, wParam, lParam);
}

ui::LRESULT Other(ui::HWND, ui::UINT, ui::WPARAM, ui::LPARAM) { return 42; }

// A control for the key routine: the window keys are sent to.
struct KeyTarget : controls::TranslatedControl {
    ui::HWND window = nullptr;
    ui::HWND ControlHwnd() const override { return window; }
};

}  // namespace

class SubclassingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<form::Form> form_;
    ui::HWND window_ = nullptr;

private slots:
    void init() {
        g_seen.clear();
        form_ = std::make_unique<form::Form>(L"TestForm", 300, 200);
        window_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 50, 20, form_->Hwnd());
    }
    void cleanup() {
        form_.reset();
        ui_test::FlushDeletes();
    }

    void createTwiceKeepsTheFirst() {
        Subclassing routing;
        routing.SetOwnerHwnd(window_);
        routing.SetWindowProc(L"CountingProc");
        routing.Add(L"Owner", 0xABC);
        QVERIFY(!routing.Active());
        QVERIFY(routing.Create(&Counting));
        QVERIFY(routing.Active());
        QVERIFY(!routing.Create(&Other));
        QVERIFY(routing.Active());
        QVERIFY(ui::GetWindowProc(window_) == &Counting);
        QCOMPARE(ui::GetProp(window_, L"Owner"), ui::HANDLE{0xABC});
        ui::SendMessage(window_, ui::WM_USER, 0, 0);
        QCOMPARE(g_seen.size(), std::size_t{1});
        routing.Destroy();
        QVERIFY(!routing.Active());
        QCOMPARE(ui::GetPropCount(window_), std::size_t{0});
        QVERIFY(ui::GetWindowProc(window_) != &Counting);
        routing.Destroy();  // nothing installed: nothing happens
    }

    void destroyRemovesThePropertiesNamedWhenItRuns() {
        Subclassing routing;
        routing.SetOwnerHwnd(window_);
        routing.SetWindowProc(L"CountingProc");
        routing.Add(L"First", 1);
        routing.Add(L"Second", 2);
        QVERIFY(routing.Create(&Counting));
        QCOMPARE(ui::GetPropCount(window_), std::size_t{3});
        routing.Clear();
        routing.Destroy();
        QCOMPARE(ui::GetPropCount(window_), std::size_t{2});
        QCOMPARE(ui::GetProp(window_, L"Second"), ui::HANDLE{2});
        QCOMPARE(ui::GetProp(window_, L"CountingProc"), ui::HANDLE{0});
    }

    void createOnAWindowThatIsGoneFails() {
        Subclassing routing;
        routing.SetOwnerHwnd(window_);
        ui::DestroyWindow(window_);
        QVERIFY(!routing.Create(&Counting));
        QVERIFY(!routing.Active());
    }

    void goingOutOfScopeRestoresTheWindow() {
        const ui::WNDPROC original = ui::GetWindowProc(window_);
        {
            Subclassing routing;
            routing.SetOwnerHwnd(window_);
            routing.SetWindowProc(L"CountingProc");
            QVERIFY(routing.Create(&Counting));
        }
        QVERIFY(ui::GetWindowProc(window_) == original);
        QCOMPARE(ui::GetPropCount(window_), std::size_t{0});
    }

    void drawRequestForAnotherKindDrawsNothingAndAnswersOne() {
        controls::SunkenLabel label(form_->Hwnd(), {0, 30, 60, 20});
        label.InitProperties();
        QImage image(60, 20, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        const ui::HDC dc = ui::qt::NewImageDeviceContext(image);
        ui::DRAWITEMSTRUCT record;
        record.CtlType = 4;  // a button's request, not a static's
        record.hDC = dc;
        record.rcItem = {0, 0, 60, 20};
        QCOMPARE(ui::SendMessage(label.hWnd(), ui::WM_DRAWITEM, 1, reinterpret_cast<ui::LPARAM>(&record)), 1);
        ui::qt::DeleteDeviceContext(dc);
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::magenta));
        QCOMPARE(image.pixelColor(30, 10), QColor(Qt::magenta));
    }

    void keyRoutineSendsNavigationKeysToTheControl() {
        const ui::HWND strip = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 50, 20, form_->Hwnd());
        ui::SetProp(strip, L"CountingProc", reinterpret_cast<ui::HANDLE>(ui::SetWindowProc(strip, &Counting)));
        KeyTarget target;
        target.window = strip;
        TranslateProxy proxy;
        proxy.control = &target;
        proxy.handleSpecialKeys = true;
        const auto key = [&](ui::UINT message, int code) {
            return controls::TranslateTabKeys(proxy, ui::MSG{strip, message, static_cast<ui::WPARAM>(code), 1});
        };
        QCOMPARE(key(ui::WM_KEYDOWN, ui::VK_RIGHT), ui::KeyResult::Handled);
        QCOMPARE(key(ui::WM_KEYUP, ui::VK_RETURN), ui::KeyResult::Handled);
        QCOMPARE(g_seen, (std::vector<ui::UINT>{ui::WM_KEYDOWN, ui::WM_KEYUP}));
        g_seen.clear();
        QCOMPARE(key(ui::WM_KEYDOWN, 'A'), ui::KeyResult::NotHandled);
        QCOMPARE(key(ui::WM_CHAR, 'a'), ui::KeyResult::NotHandled);
        QCOMPARE(key(ui::WM_SYSKEYDOWN, ui::VK_LEFT), ui::KeyResult::NotHandled);
        QVERIFY(g_seen.empty());
        proxy.handleSpecialKeys = false;
        QCOMPARE(key(ui::WM_KEYDOWN, ui::VK_HOME), ui::KeyResult::NotHandled);
        QCOMPARE(g_seen.size(), std::size_t{1});
        proxy.translateSpecialKeys = true;
        QCOMPARE(key(ui::WM_KEYDOWN, ui::VK_END), ui::KeyResult::NotHandled);
        QCOMPARE(g_seen.size(), std::size_t{1});
    }

    void translatorCopiesItsSettingsAtCreate() {
        ui::SetProp(window_, L"CountingProc", reinterpret_cast<ui::HANDLE>(ui::SetWindowProc(window_, &Counting)));
        KeyTarget target;
        target.window = window_;
        TranslateMessage translator;
        translator.SetControl(&target);
        translator.SetHandleSpecialKeys(true);
        QVERIFY(!translator.Active());
        QVERIFY(translator.Create(&controls::TranslateTabKeys));
        QVERIFY(translator.Active());
        translator.SetHandleSpecialKeys(false);
        QVERIFY(!translator.Create(&controls::TranslateTabKeys));
        QVERIFY(translator.Active());
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        ui::SetFocus(window_);
        translator.Translate();
        g_seen.clear();
        // Still handled as when it was made: the key reaches the window once,
        // from the routine, and goes no further.
        QTest::keyClick(ui_test::WidgetOf(window_), Qt::Key_Down);
        QCOMPARE(std::count(g_seen.begin(), g_seen.end(), ui::WM_KEYDOWN), 1);
        // Without the routine the window sees the key the ordinary way, once too.
        translator.Destroy();
        QVERIFY(!translator.Active());
        g_seen.clear();
        QTest::keyClick(ui_test::WidgetOf(window_), Qt::Key_Down);
        QCOMPARE(std::count(g_seen.begin(), g_seen.end(), ui::WM_KEYDOWN), 1);
        // A rebuilt routine takes the new setting: the key is sent and then
        // handled the ordinary way as well.
        QVERIFY(translator.Create(&controls::TranslateTabKeys));
        translator.Translate();
        g_seen.clear();
        QTest::keyClick(ui_test::WidgetOf(window_), Qt::Key_Down);
        QCOMPARE(std::count(g_seen.begin(), g_seen.end(), ui::WM_KEYDOWN), 2);
    }

    // The real strip, through real key events: the settings in force are
    // the ones copied when the routine was installed.
    void keysReachTheStripOnlyWhileItHasTheFocus() {
        controls::TabControl tabs(form_->Hwnd(), {0, 0, 300, 100});
        tabs.SetCount(3);
        form::CommandButton& button = form_->AddCommandButton(L"Button", {10, 150, 80, 24}, L"OK");
        std::vector<std::int16_t> keys;
        tabs.KeyDown.Connect([&](std::int16_t key) { keys.push_back(key); });
        QVERIFY(ui_test::ShowActive(form_->Hwnd()));
        ui::SetFocus(tabs.hWnd());  // the control's own window hands the focus to the strip
        QCOMPARE(ui::GetFocus(), tabs.ControlHwnd());
        QTest::keyClick(ui_test::WidgetOf(tabs.ControlHwnd()), Qt::Key_PageDown);
        QCOMPARE(keys, std::vector<std::int16_t>{ui::VK_NEXT});
        QCOMPARE(tabs.SelectedTab()->Index(), std::int16_t{1});
        QTest::keyClick(ui_test::WidgetOf(tabs.ControlHwnd()), Qt::Key_Tab);
        QCOMPARE(ui::GetFocus(), button.Hwnd());
        QTest::keyClick(ui_test::WidgetOf(button.Hwnd()), Qt::Key_Right);
        QCOMPARE(keys.size(), std::size_t{1});
        QCOMPARE(tabs.SelectedTab()->Index(), std::int16_t{1});
    }
};

QTEST_MAIN(SubclassingTest)
#include "subclassing_test.moc"
