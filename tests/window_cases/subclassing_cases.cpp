// Installing and removing window procedures with their properties, a
// control's procedure for a draw request it does not expect, and the key
// filter the tab strip uses, through keys the user types.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "side.h"
#include "window/controls/Subclassing.h"
#include "window/controls/SunkenLabel.h"
#include "window/controls/TabControl.h"
#include "window/controls/TranslateMessage.h"
#include "window/controls/WindowProcedures.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

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

long KeyDowns() { return std::count(g_seen.begin(), g_seen.end(), ui::WM_KEYDOWN); }

// A control for the key routine: the window keys are sent to.
struct KeyTarget : controls::TranslatedControl {
    ui::HWND window = nullptr;
    ui::HWND ControlHwnd() const override { return window; }
};

class WindowSubclassing : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        form_ = std::make_unique<form::Form>(L"TestForm", 300, 200);
        window_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 50, 20, form_->Hwnd());
    }
    void TearDown() override {
        form_.reset();
        side::Settle();
    }
    std::unique_ptr<form::Form> form_;
    ui::HWND window_ = nullptr;
};

TEST_F(WindowSubclassing, CreateTwiceKeepsTheFirstAndDestroyRestores) {
    Subclassing routing;
    routing.SetOwnerHwnd(window_);
    routing.SetWindowProc(L"CountingProc");
    routing.Add(L"Owner", 0xABC);
    EXPECT_FALSE(routing.Active());
    EXPECT_TRUE(routing.Create(&Counting));
    EXPECT_TRUE(routing.Active());
    EXPECT_FALSE(routing.Create(&Other));
    EXPECT_TRUE(routing.Active());
    EXPECT_EQ(ui::GetWindowProc(window_), &Counting);
    EXPECT_EQ(ui::GetProp(window_, L"Owner"), ui::HANDLE{0xABC});
    ui::SendMessage(window_, ui::WM_USER, 0, 0);
    EXPECT_EQ(g_seen.size(), 1u);
    routing.Destroy();
    EXPECT_FALSE(routing.Active());
    EXPECT_EQ(ui::GetPropCount(window_), 0u);
    EXPECT_NE(ui::GetWindowProc(window_), &Counting);
    routing.Destroy();  // nothing installed: nothing happens
}

TEST_F(WindowSubclassing, DestroyRemovesThePropertiesNamedWhenItRuns) {
    Subclassing routing;
    routing.SetOwnerHwnd(window_);
    routing.SetWindowProc(L"CountingProc");
    routing.Add(L"First", 1);
    routing.Add(L"Second", 2);
    EXPECT_TRUE(routing.Create(&Counting));
    EXPECT_EQ(ui::GetPropCount(window_), 3u);
    routing.Clear();
    routing.Destroy();
    EXPECT_EQ(ui::GetPropCount(window_), 2u);
    EXPECT_EQ(ui::GetProp(window_, L"Second"), ui::HANDLE{2});
    EXPECT_EQ(ui::GetProp(window_, L"CountingProc"), ui::HANDLE{0});
}

TEST_F(WindowSubclassing, CreateOnAWindowThatIsGoneFails) {
    Subclassing routing;
    routing.SetOwnerHwnd(window_);
    ui::DestroyWindow(window_);
    EXPECT_FALSE(routing.Create(&Counting));
    EXPECT_FALSE(routing.Active());
}

TEST_F(WindowSubclassing, GoingOutOfScopeRestoresTheWindow) {
    const ui::WNDPROC original = ui::GetWindowProc(window_);
    {
        Subclassing routing;
        routing.SetOwnerHwnd(window_);
        routing.SetWindowProc(L"CountingProc");
        EXPECT_TRUE(routing.Create(&Counting));
    }
    EXPECT_EQ(ui::GetWindowProc(window_), original);
    EXPECT_EQ(ui::GetPropCount(window_), 0u);
}

TEST_F(WindowSubclassing, ADrawRequestForAnotherKindDrawsNothingAndAnswersOne) {
    controls::SunkenLabel label(form_->Hwnd(), {0, 30, 60, 20});
    label.InitProperties();
    const ui::COLORREF magenta = ui::RGB(255, 0, 255);
    side::Canvas canvas(60, 20, magenta);
    ui::DRAWITEMSTRUCT record;
    record.CtlType = 4;  // a button's request, not a static's
    record.hDC = canvas.Dc();
    record.rcItem = {0, 0, 60, 20};
    EXPECT_EQ(ui::SendMessage(label.hWnd(), ui::WM_DRAWITEM, 1, reinterpret_cast<ui::LPARAM>(&record)), 1);
    EXPECT_EQ(canvas.Pixel(0, 0), magenta);
    EXPECT_EQ(canvas.Pixel(30, 10), magenta);
}

TEST_F(WindowSubclassing, TheKeyRoutineSendsNavigationKeysToTheControl) {
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
    EXPECT_EQ(key(ui::WM_KEYDOWN, ui::VK_RIGHT), ui::KeyResult::Handled);
    EXPECT_EQ(key(ui::WM_KEYUP, ui::VK_RETURN), ui::KeyResult::Handled);
    EXPECT_EQ(g_seen, (std::vector<ui::UINT>{ui::WM_KEYDOWN, ui::WM_KEYUP}));
    g_seen.clear();
    EXPECT_EQ(key(ui::WM_KEYDOWN, 'A'), ui::KeyResult::NotHandled);
    EXPECT_EQ(key(ui::WM_CHAR, 'a'), ui::KeyResult::NotHandled);
    EXPECT_EQ(key(ui::WM_SYSKEYDOWN, ui::VK_LEFT), ui::KeyResult::NotHandled);
    EXPECT_TRUE(g_seen.empty());
    proxy.handleSpecialKeys = false;
    EXPECT_EQ(key(ui::WM_KEYDOWN, ui::VK_HOME), ui::KeyResult::NotHandled);
    EXPECT_EQ(g_seen.size(), 1u);
    proxy.translateSpecialKeys = true;
    EXPECT_EQ(key(ui::WM_KEYDOWN, ui::VK_END), ui::KeyResult::NotHandled);
    EXPECT_EQ(g_seen.size(), 1u);
}

TEST_F(WindowSubclassing, TheTranslatorCopiesItsSettingsAtCreate) {
    SIDE_SKIP_KNOWN_FAULT();
    ui::SetProp(window_, L"CountingProc", reinterpret_cast<ui::HANDLE>(ui::SetWindowProc(window_, &Counting)));
    KeyTarget target;
    target.window = window_;
    TranslateMessage translator;
    translator.SetControl(&target);
    translator.SetHandleSpecialKeys(true);
    EXPECT_FALSE(translator.Active());
    EXPECT_TRUE(translator.Create(&controls::TranslateTabKeys));
    EXPECT_TRUE(translator.Active());
    translator.SetHandleSpecialKeys(false);
    EXPECT_FALSE(translator.Create(&controls::TranslateTabKeys));
    EXPECT_TRUE(translator.Active());
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    ui::SetFocus(window_);
    ASSERT_EQ(ui::GetFocus(), window_);
    translator.Translate();
    g_seen.clear();
    // Still handled as when it was made: the key reaches the window once,
    // from the routine, and goes no further.
    side::PressKey(ui::VK_DOWN);
    EXPECT_EQ(KeyDowns(), 1);
    // Without the routine the window sees the key the ordinary way, once too.
    translator.Destroy();
    EXPECT_FALSE(translator.Active());
    g_seen.clear();
    side::PressKey(ui::VK_DOWN);
    EXPECT_EQ(KeyDowns(), 1);
    // A rebuilt routine takes the new setting: the key is sent and then
    // handled the ordinary way as well.
    EXPECT_TRUE(translator.Create(&controls::TranslateTabKeys));
    translator.Translate();
    g_seen.clear();
    side::PressKey(ui::VK_DOWN);
    EXPECT_EQ(KeyDowns(), 2);
}

// The real strip, through typed keys: the settings in force are the ones
// copied when the routine was installed.
TEST_F(WindowSubclassing, KeysReachTheStripOnlyWhileItHasTheFocus) {
    controls::TabControl tabs(form_->Hwnd(), {0, 0, 300, 100});
    tabs.SetCount(3);
    form::CommandButton& button = form_->AddCommandButton(L"Button", {10, 150, 80, 24}, L"OK");
    std::vector<std::int16_t> keys;
    tabs.KeyDown.Connect([&](std::int16_t key) { keys.push_back(key); });
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    ui::SetFocus(tabs.hWnd());  // the control's own window hands the focus to the strip
    EXPECT_EQ(ui::GetFocus(), tabs.ControlHwnd());
    side::PressKey(ui::VK_RIGHT);
    EXPECT_EQ(keys, std::vector<std::int16_t>{ui::VK_RIGHT});
    EXPECT_EQ(tabs.SelectedTab()->Index(), std::int16_t{1});
    side::PressKey(ui::VK_TAB);
    EXPECT_EQ(ui::GetFocus(), button.Hwnd());
    side::PressKey(ui::VK_RIGHT);
    EXPECT_EQ(keys.size(), 1u);
    EXPECT_EQ(tabs.SelectedTab()->Index(), std::int16_t{1});
}

}  // namespace
