// Windows, handles, procedure chains, properties and text, and the user's
// input arriving as messages: the toolkit's core on either side.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "side.h"
#include "fixtures.h"
#include "window/form/form.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

using window_cases::MakeControlWindow;
using window_cases::Seen;

std::vector<Seen> g_seen;
ui::WNDPROC g_previous = nullptr;
ui::WNDPROC g_previousOuter = nullptr;

// Records what arrives and passes everything on.
ui::LRESULT Recorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    Seen seen{window, message, wParam, lParam};
    if (message == ui::WM_DRAWITEM) {
        const auto* record = reinterpret_cast<const ui::DRAWITEMSTRUCT*>(lParam);
        seen.item = record->hwndItem;
        seen.kind = record->CtlType;
    }
    g_seen.push_back(seen);
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

ui::LRESULT OuterRecorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    g_seen.push_back({window, message | 0x10000, wParam, lParam});
    return ui::CallWindowProc(g_previousOuter, window, message, wParam, lParam);
}

std::vector<ui::UINT> MessagesOf(ui::HWND window, std::initializer_list<ui::UINT> wanted) {
    return window_cases::MessagesOf(g_seen, window, wanted);
}

class WindowMessages : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        g_previous = g_previousOuter = nullptr;
        form_ = std::make_unique<form::Form>(L"TestForm", 300, 200);
    }
    void TearDown() override {
        form_.reset();
        side::Settle();
    }
    std::unique_ptr<form::Form> form_;
};

TEST_F(WindowMessages, HandlesNameLiveWindowsOnlyAndAreNeverReused) {
    const std::size_t windows = ui::GetWindowCount();
    EXPECT_FALSE(ui::CreateWindowEx(0, L"NoSuchClass", L"", ui::WS_CHILD, 0, 0, 10, 10, form_->Hwnd()));
    EXPECT_FALSE(ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD, 0, 0, 10, 10, nullptr));
    const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
    ASSERT_TRUE(ui::IsWindow(window));
    EXPECT_EQ(ui::GetWindowCount(), windows + 1);
    EXPECT_EQ(ui::GetParent(window), form_->Hwnd());
    EXPECT_EQ(ui::GetAncestor(window, ui::GA_ROOT), form_->Hwnd());
    EXPECT_TRUE(ui::SetProp(window, L"Kept", 7));
    EXPECT_TRUE(ui::DestroyWindow(window));
    EXPECT_FALSE(ui::IsWindow(window));
    EXPECT_EQ(ui::GetWindowCount(), windows);
    EXPECT_EQ(ui::SendMessage(window, ui::WM_USER, 1, 2), 0);
    EXPECT_EQ(ui::GetProp(window, L"Kept"), ui::HANDLE{0});
    EXPECT_FALSE(ui::SetProp(window, L"Late", 1));
    EXPECT_FALSE(ui::SetWindowProc(window, &Recorder));
    EXPECT_FALSE(ui::DestroyWindow(window));
    // A new window never reuses the handle of one that went.
    EXPECT_NE(MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10), window);
}

TEST_F(WindowMessages, ProceduresChainNewestFirstAndPassOn) {
    const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
    const ui::WNDPROC classProcedure = ui::GetWindowProc(window);
    g_previous = ui::SetWindowProc(window, &Recorder);
    EXPECT_EQ(g_previous, classProcedure);
    g_previousOuter = ui::SetWindowProc(window, &OuterRecorder);
    EXPECT_EQ(g_previousOuter, &Recorder);
    const std::wstring text = L"caption";
    ui::SendMessage(window, ui::WM_SETTEXT, 0, reinterpret_cast<ui::LPARAM>(&text));
    // The newest procedure first, then the one it replaced, then the class.
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].message, ui::WM_SETTEXT | 0x10000);
    EXPECT_EQ(g_seen[1].message, ui::WM_SETTEXT);
    EXPECT_EQ(ui::GetWindowText(window), L"caption");
    // Taking the outer one off leaves the inner one in place.
    ui::SetWindowProc(window, g_previousOuter);
    g_seen.clear();
    ui::SendMessage(window, ui::WM_USER, 0, 0);
    EXPECT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(ui::CallWindowProc(nullptr, window, ui::WM_USER, 0, 0), 0);
}

// Text goes down the chain to the side's window and comes back, "é" and all.
TEST_F(WindowMessages, TextAndPropertiesLiveOnTheWindowAndGoWithIt) {
    const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
    EXPECT_TRUE(ui::SetWindowText(window, L"Caf\u00e9"));
    EXPECT_EQ(ui::GetWindowText(window), L"Caf\u00e9");

    const std::size_t before = ui::GetTotalPropCount();
    EXPECT_FALSE(ui::SetProp(window, L"", 1));
    EXPECT_TRUE(ui::SetProp(window, L"TabControl", 0x1234));
    EXPECT_TRUE(ui::SetProp(window, L"TabControlWindowProc", 0x5678));
    EXPECT_EQ(ui::GetProp(window, L"TabControl"), ui::HANDLE{0x1234});
    EXPECT_EQ(ui::GetPropCount(window), 2u);
    EXPECT_EQ(ui::GetTotalPropCount(), before + 2);
    EXPECT_EQ(ui::RemoveProp(window, L"TabControl"), ui::HANDLE{0x1234});
    EXPECT_EQ(ui::GetProp(window, L"TabControl"), ui::HANDLE{0});
    EXPECT_EQ(ui::RemoveProp(window, L"TabControl"), ui::HANDLE{0});
    EXPECT_EQ(ui::GetPropCount(window), 1u);
    // The window's properties go with it.
    ui::DestroyWindow(window);
    EXPECT_EQ(ui::GetTotalPropCount(), before);
}

TEST_F(WindowMessages, TheUsersClicksArriveAsMessagesThroughAStaticAndOwnerDrawingAsksTheParent) {
    const ui::HWND outer = MakeControlWindow(form_->Hwnd(), 10, 10, 100, 40);
    const ui::HWND inner = ui::CreateWindowEx(0, ui::WC_STATIC, L"3192 MHz", ui::WS_CHILD | ui::WS_VISIBLE | ui::SS_OWNERDRAW,
                                              0, 0, 100, 40, outer, 7);
    ASSERT_TRUE(inner);
    g_previous = ui::SetWindowProc(outer, &Recorder);
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    g_seen.clear();
    // The static (without SS_NOTIFY) lets the mouse through to the window it sits in.
    side::Click(outer, {30, 12});
    side::DoubleClick(outer, {30, 12});
    // A click is a press and a release; the second of two quick ones a double click.
    const std::vector<ui::UINT> clicks = MessagesOf(outer, {ui::WM_LBUTTONDOWN, ui::WM_LBUTTONUP, ui::WM_LBUTTONDBLCLK});
    ASSERT_GE(clicks.size(), 3u);
    EXPECT_EQ(clicks[0], ui::WM_LBUTTONDOWN);
    EXPECT_EQ(clicks[1], ui::WM_LBUTTONUP);
    EXPECT_EQ(std::count(clicks.begin(), clicks.end(), ui::WM_LBUTTONDBLCLK), 1);
    const auto up = std::find_if(g_seen.begin(), g_seen.end(), [](const Seen& s) { return s.message == ui::WM_LBUTTONUP; });
    ASSERT_NE(up, g_seen.end());
    EXPECT_EQ(ui::GET_X_LPARAM(up->lParam), 30);
    EXPECT_EQ(ui::GET_Y_LPARAM(up->lParam), 12);

    // The owner-drawn static asks its parent to draw it.
    g_seen.clear();
    side::Repaint(form_->Hwnd());
    const auto draw = std::find_if(g_seen.begin(), g_seen.end(), [](const Seen& s) { return s.message == ui::WM_DRAWITEM; });
    ASSERT_NE(draw, g_seen.end());
    EXPECT_EQ(draw->wParam, ui::WPARAM{7});
    EXPECT_EQ(draw->item, inner);
    EXPECT_EQ(draw->kind, ui::ODT_STATIC);

    g_seen.clear();
    ui::SetFocus(outer);
    EXPECT_EQ(MessagesOf(outer, {ui::WM_SETFOCUS}).size(), 1u);
    EXPECT_EQ(ui::GetFocus(), outer);
}

TEST_F(WindowMessages, DestroyingAWindowInsideItsOwnMessageIsSafe) {
    const ui::HWND window = MakeControlWindow(form_->Hwnd(), 0, 0, 10, 10);
    g_previous = ui::SetWindowProc(window, [](ui::HWND w, ui::UINT m, ui::WPARAM wp, ui::LPARAM lp) -> ui::LRESULT {
        if (m == ui::WM_USER) ui::DestroyWindow(w);
        return ui::CallWindowProc(g_previous, w, m, wp, lp);
    });
    ui::SendMessage(window, ui::WM_USER, 0, 0);
    EXPECT_FALSE(ui::IsWindow(window));
    side::Settle();
}

}  // namespace
