// The tab strip window: items, rectangles and hit tests in the vocabulary's
// records, and the notifications a click or a key sends its parent, in
// order; Ctrl+Tab and Ctrl+Page Up/Down from the window, wrapping.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "side.h"
#include "window/form/form.h"
#include "window/ui/messages.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

struct Notified {
    int code;
    ui::HWND from;
    ui::WPARAM id;
    int key;  // TCN_KEYDOWN: the key
};

std::vector<Notified> g_notified;
ui::WNDPROC g_previous = nullptr;
ui::LRESULT g_selChangingAnswer = 0;

ui::LRESULT Recorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    if (message == ui::WM_NOTIFY) {
        const auto* header = reinterpret_cast<const ui::NMHDR*>(lParam);
        const int key = header->code == ui::TCN_KEYDOWN ? reinterpret_cast<const ui::NMTCKEYDOWN*>(lParam)->wVKey : 0;
        // The strip with the focus is told of every key, Ctrl and Shift
        // pressed before the key itself too; those are left out here.
        if (key != ui::VK_CONTROL && key != ui::VK_SHIFT) g_notified.push_back({header->code, header->hwndFrom, wParam, key});
        return header->code == ui::TCN_SELCHANGING ? g_selChangingAnswer : 0;
    }
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

std::vector<int> Codes() {
    std::vector<int> codes;
    for (const Notified& n : g_notified) codes.push_back(n.code);
    return codes;
}

std::string Describe(const std::vector<int>& codes) {
    std::string text;
    for (int code : codes) text += std::to_string(code) + " ";
    return text;
}

class WindowTabStrip : public ::testing::Test {
protected:
    void SetUp() override {
        g_notified.clear();
        g_selChangingAnswer = 0;
        form_ = std::make_unique<form::Form>(L"TestForm", 420, 160);
        g_previous = ui::SetWindowProc(form_->Hwnd(), &Recorder);
        strip_ = ui::CreateWindowEx(0, ui::WC_TABCONTROL, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 400, 120, form_->Hwnd(), 7);
        ASSERT_TRUE(strip_);
        for (int i = 0; i < 3; ++i) {
            ui::TCITEM item;
            item.mask = ui::TCIF_TEXT;
            item.text = i == 1 ? L"Geheugengebruik" : L"Tab " + std::to_wstring(i);
            EXPECT_EQ(Send(ui::TCM_INSERTITEM, static_cast<ui::WPARAM>(i), reinterpret_cast<ui::LPARAM>(&item)), i);
        }
        ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    }
    void TearDown() override {
        form_.reset();
        side::Settle();
    }
    ui::LRESULT Send(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
        return ui::SendMessage(strip_, message, wParam, lParam);
    }
    int Selected() { return static_cast<int>(Send(ui::TCM_GETCURSEL, 0, 0)); }

    std::unique_ptr<form::Form> form_;
    ui::HWND strip_ = nullptr;
};

TEST_F(WindowTabStrip, ItemsRectanglesAndHitTestsCrossInTheVocabularysRecords) {
    EXPECT_EQ(Send(ui::TCM_GETITEMCOUNT, 0, 0), 3);
    ui::TCITEM read;
    read.mask = ui::TCIF_TEXT;
    ASSERT_TRUE(Send(ui::TCM_GETITEM, 1, reinterpret_cast<ui::LPARAM>(&read)));
    EXPECT_EQ(read.text, L"Geheugengebruik");

    ui::RECT last;
    ASSERT_TRUE(Send(ui::TCM_GETITEMRECT, 2, reinterpret_cast<ui::LPARAM>(&last)));
    EXPECT_FALSE(last.IsEmpty());
    ui::TCHITTESTINFO test;
    test.pt = {(last.left + last.right) / 2, (last.top + last.bottom) / 2};
    EXPECT_EQ(Send(ui::TCM_HITTEST, 0, reinterpret_cast<ui::LPARAM>(&test)), 2);
    EXPECT_NE(test.flags & ui::TCHT_ONITEM, 0u);
    test.pt = {test.pt.x, 115};  // on the page, below the tabs
    EXPECT_EQ(Send(ui::TCM_HITTEST, 0, reinterpret_cast<ui::LPARAM>(&test)), -1);
}

// A refused change keeps the selection; an accepted one notifies twice,
// from the strip with its identifier; a key on the strip notifies first.
TEST_F(WindowTabStrip, AClickAsksThenSelectsAndAKeyIsNotifiedFirst) {
    ui::RECT last;
    ASSERT_TRUE(Send(ui::TCM_GETITEMRECT, 2, reinterpret_cast<ui::LPARAM>(&last)));
    const ui::POINT middle{(last.left + last.right) / 2, (last.top + last.bottom) / 2};
    g_selChangingAnswer = 1;
    side::Click(strip_, middle);
    EXPECT_EQ(Selected(), 0);
    ASSERT_FALSE(g_notified.empty());
    EXPECT_EQ(g_notified[0].code, ui::TCN_SELCHANGING);

    g_notified.clear();
    g_selChangingAnswer = 0;
    side::Click(strip_, middle);
    EXPECT_EQ(Selected(), 2);
    const std::vector<int> codes = Codes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[0], ui::TCN_SELCHANGING);
    EXPECT_EQ(codes[1], ui::TCN_SELCHANGE);
    EXPECT_EQ(g_notified[0].from, strip_);
    EXPECT_EQ(g_notified[0].id, 7u);

    ui::SetFocus(strip_);
    g_notified.clear();
    side::PressKey(ui::VK_LEFT);
    ASSERT_FALSE(g_notified.empty());
    EXPECT_EQ(g_notified[0].code, ui::TCN_KEYDOWN);
    EXPECT_EQ(g_notified[0].key, ui::VK_LEFT);
    EXPECT_EQ(Selected(), 1);
}

// Ctrl+Page Up/Down and Ctrl+Tab step through the tabs, wrapping at both
// ends, with the notifications of a key on the strip.
TEST_F(WindowTabStrip, CtrlPageKeysAndCtrlTabStepThroughTheTabsAndWrapAtBothEnds) {
    ui::SetFocus(strip_);
    const auto press = [&](int key, int modifiers) {
        side::PressKey(key, side::kControl | modifiers);
        return Selected();
    };
    g_notified.clear();
    EXPECT_EQ(press(ui::VK_PRIOR, 0), 2);  // from the first tab to the last
    const std::vector<int> codes = Codes();
    ASSERT_EQ(codes.size(), 3u) << Describe(codes);
    EXPECT_EQ(codes[0], ui::TCN_KEYDOWN);
    EXPECT_EQ(g_notified[0].key, ui::VK_PRIOR);
    EXPECT_EQ(codes[1], ui::TCN_SELCHANGING);
    EXPECT_EQ(codes[2], ui::TCN_SELCHANGE);
    EXPECT_EQ(press(ui::VK_NEXT, 0), 0);  // from the last to the first
    EXPECT_EQ(press(ui::VK_TAB, 0), 1);
    EXPECT_EQ(press(ui::VK_TAB, side::kShift), 0);
    g_selChangingAnswer = 1;  // a refused change keeps the tab
    EXPECT_EQ(press(ui::VK_NEXT, 0), 0);
}

}  // namespace
