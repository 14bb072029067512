// The window toolkit's Win32 side against the system's own windows (under
// Wine in the build's tests, on a private X server): the system's messages
// reach the toolkit's procedures, the vocabulary's records cross to the
// system's controls and back, and the system menu, scroll bar, timer and
// GDI objects behave as the toolkit promises.
// The system's headers, less the names the toolkit's vocabulary declares.
#include "window/win32/ui/system_headers.h"

#include <gtest/gtest.h>

#include <vector>

#include "window/form/form.h"
#include "window/form/command_button.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/ui/application.h"
#include "window/ui/dialogs.h"
#include "window/ui/gdi.h"
#include "window/ui/menu.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"

namespace ui = window::ui;

namespace {

::HWND Native(ui::HWND window) { return reinterpret_cast<::HWND>(window); }

struct Seen {
    ui::UINT message;
    ui::WPARAM wParam;
    ui::LPARAM lParam;
    int code = 0;            // WM_NOTIFY: the record's code
    ui::HWND from = nullptr;  // WM_NOTIFY: the record's sender
    int key = 0;              // TCN_KEYDOWN: the key
};

std::vector<Seen> g_seen;
ui::WNDPROC g_previous = nullptr;
ui::LRESULT g_selChangingAnswer = 0;

ui::LRESULT Recorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    Seen seen{message, wParam, lParam};
    if (message == ui::WM_NOTIFY) {
        const auto* header = reinterpret_cast<const ui::NMHDR*>(lParam);
        seen.code = header->code;
        seen.from = header->hwndFrom;
        if (header->code == ui::TCN_KEYDOWN) seen.key = reinterpret_cast<const ui::NMTCKEYDOWN*>(lParam)->wVKey;
        g_seen.push_back(seen);
        return header->code == ui::TCN_SELCHANGING ? g_selChangingAnswer : 0;
    }
    if (message == ui::WM_LBUTTONUP || message == ui::WM_SYSCOMMAND || message == ui::WM_DRAWITEM) g_seen.push_back(seen);
    if (message == ui::WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const ui::DRAWITEMSTRUCT*>(lParam);
        g_seen.back().from = item->hwndItem;
        g_seen.back().code = static_cast<int>(item->CtlType);
        return 1;
    }
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

std::vector<int> NotifyCodes() {
    std::vector<int> codes;
    for (const Seen& seen : g_seen) {
        if (seen.message == ui::WM_NOTIFY) codes.push_back(seen.code);
    }
    return codes;
}

class Win32Toolkit : public ::testing::Test {
protected:
    void SetUp() override {
        g_seen.clear();
        g_selChangingAnswer = 0;
        parent_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 400, 120,
                                     nullptr);
        ASSERT_TRUE(parent_);
        g_previous = ui::SetWindowProc(parent_, &Recorder);
    }
    void TearDown() override { ui::DestroyWindow(parent_); }

    ui::HWND parent_ = nullptr;
};

TEST_F(Win32Toolkit, SystemMessagesClimbTheChainAndTextAndPropertiesReachTheSystem) {
    const std::size_t windows = ui::GetWindowCount();
    const ui::HWND child = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 50,
                                              20, parent_);
    ASSERT_TRUE(child);
    EXPECT_EQ(ui::GetParent(child), parent_);
    EXPECT_EQ(ui::GetWindowCount(), windows + 1);

    // A message the system delivers goes through the toolkit's procedure.
    ::SendMessageA(Native(parent_), ui::WM_LBUTTONUP, 0, ui::MAKELPARAM(3, 4));
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(ui::GET_X_LPARAM(g_seen[0].lParam), 3);
    EXPECT_EQ(ui::GET_Y_LPARAM(g_seen[0].lParam), 4);

    // Text goes down the chain to the system and comes back, "é" and all.
    EXPECT_TRUE(ui::SetWindowText(child, L"Caf\u00e9"));
    EXPECT_EQ(ui::GetWindowText(child), L"Caf\u00e9");
    EXPECT_EQ(::GetWindowTextLengthA(Native(child)), 4);

    EXPECT_TRUE(ui::SetProp(child, L"SunkenLabel", 42));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(::GetPropA(Native(child), "SunkenLabel")), 42u);
    EXPECT_EQ(ui::GetProp(child, L"SunkenLabel"), 42u);
    EXPECT_EQ(ui::GetPropCount(child), 1u);
    EXPECT_FALSE(ui::SetProp(child, L"", 1));
    EXPECT_EQ(ui::RemoveProp(child, L"SunkenLabel"), 42u);
    EXPECT_EQ(ui::GetPropCount(child), 0u);

    ui::SetProp(child, L"Left", 1);
    EXPECT_TRUE(ui::DestroyWindow(child));
    EXPECT_FALSE(ui::IsWindow(child));
    EXPECT_FALSE(ui::SetProp(child, L"Late", 1));
    EXPECT_EQ(ui::GetWindowCount(), windows);
    EXPECT_EQ(ui::GetTotalPropCount(), 0u);
}

TEST_F(Win32Toolkit, TheTabStripsItemsHitTestsAndNotificationsCrossInTheVocabularysRecords) {
    const ui::HWND strip = ui::CreateWindowEx(0, ui::WC_TABCONTROL, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 400, 120,
                                              parent_, 7);
    ASSERT_TRUE(strip);
    for (int i = 0; i < 3; ++i) {
        ui::TCITEM item;
        item.mask = ui::TCIF_TEXT;
        item.text = i == 1 ? L"Geheugengebruik" : L"Tab " + std::to_wstring(i);
        EXPECT_EQ(ui::SendMessage(strip, ui::TCM_INSERTITEM, static_cast<ui::WPARAM>(i), reinterpret_cast<ui::LPARAM>(&item)), i);
    }
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_GETITEMCOUNT, 0, 0), 3);
    ui::TCITEM read;
    read.mask = ui::TCIF_TEXT;
    ASSERT_TRUE(ui::SendMessage(strip, ui::TCM_GETITEM, 1, reinterpret_cast<ui::LPARAM>(&read)));
    EXPECT_EQ(read.text, L"Geheugengebruik");

    ui::RECT last;
    ASSERT_TRUE(ui::SendMessage(strip, ui::TCM_GETITEMRECT, 2, reinterpret_cast<ui::LPARAM>(&last)));
    EXPECT_FALSE(last.IsEmpty());
    const int x = (last.left + last.right) / 2;
    const int y = (last.top + last.bottom) / 2;
    ui::TCHITTESTINFO test;
    test.pt = {x, y};
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_HITTEST, 0, reinterpret_cast<ui::LPARAM>(&test)), 2);
    EXPECT_NE(test.flags & ui::TCHT_ONITEM, 0u);
    test.pt = {x, 115};  // on the page, below the tabs
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_HITTEST, 0, reinterpret_cast<ui::LPARAM>(&test)), -1);

    // A refused change keeps the selection; an accepted one notifies twice.
    g_selChangingAnswer = 1;
    ::SendMessageA(Native(strip), ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, ui::MAKELPARAM(x, y));
    ::SendMessageA(Native(strip), ui::WM_LBUTTONUP, 0, ui::MAKELPARAM(x, y));
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_GETCURSEL, 0, 0), 0);
    g_seen.clear();
    g_selChangingAnswer = 0;
    ::SendMessageA(Native(strip), ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, ui::MAKELPARAM(x, y));
    ::SendMessageA(Native(strip), ui::WM_LBUTTONUP, 0, ui::MAKELPARAM(x, y));
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_GETCURSEL, 0, 0), 2);
    const std::vector<int> codes = NotifyCodes();
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[0], ui::TCN_SELCHANGING);
    EXPECT_EQ(codes[1], ui::TCN_SELCHANGE);
    EXPECT_EQ(g_seen[0].from, strip);
    EXPECT_EQ(g_seen[0].wParam, 7u);

    g_seen.clear();
    ::SendMessageA(Native(strip), ui::WM_KEYDOWN, ui::VK_LEFT, 0);
    ASSERT_FALSE(g_seen.empty());
    EXPECT_EQ(g_seen[0].code, ui::TCN_KEYDOWN);
    EXPECT_EQ(g_seen[0].key, ui::VK_LEFT);
}

// Ctrl+Page Up/Down and Ctrl+Tab reach the strip from the message loop,
// wrapping at both ends, with the notifications of a key on the strip.
TEST_F(Win32Toolkit, CtrlPageKeysStepThroughTheTabsAndWrapAtBothEnds) {
    const ui::HWND strip = ui::CreateWindowEx(0, ui::WC_TABCONTROL, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 400, 120,
                                              parent_, 7);
    ASSERT_TRUE(strip);
    for (int i = 0; i < 3; ++i) {
        ui::TCITEM item;
        item.mask = ui::TCIF_TEXT;
        item.text = L"Tab " + std::to_wstring(i);
        ui::SendMessage(strip, ui::TCM_INSERTITEM, static_cast<ui::WPARAM>(i), reinterpret_cast<ui::LPARAM>(&item));
    }
    ::BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const auto press = [&](int key, bool shift) {
        keys[ui::VK_CONTROL] = 0x80;
        keys[ui::VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::PostMessageA(Native(strip), ui::WM_KEYDOWN, static_cast<::WPARAM>(key), 0);
        ui::Application::ProcessEvents();
        keys[ui::VK_CONTROL] = 0;
        keys[ui::VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return ui::SendMessage(strip, ui::TCM_GETCURSEL, 0, 0);
    };
    g_seen.clear();
    EXPECT_EQ(press(ui::VK_PRIOR, false), 2);  // from the first tab to the last
    const std::vector<int> codes = NotifyCodes();
    ASSERT_EQ(codes.size(), 3u);
    EXPECT_EQ(codes[0], ui::TCN_KEYDOWN);
    EXPECT_EQ(g_seen[0].key, ui::VK_PRIOR);
    EXPECT_EQ(codes[1], ui::TCN_SELCHANGING);
    EXPECT_EQ(codes[2], ui::TCN_SELCHANGE);
    EXPECT_EQ(press(ui::VK_NEXT, false), 0);  // from the last to the first
    EXPECT_EQ(press(ui::VK_TAB, false), 1);
    EXPECT_EQ(press(ui::VK_TAB, true), 0);
    g_selChangingAnswer = 1;  // a refused change keeps the tab
    EXPECT_EQ(press(ui::VK_NEXT, false), 0);
}

TEST_F(Win32Toolkit, AnOwnerDrawnStaticIsDrawnThroughTheParentsProcedure) {
    const ui::HWND label = ui::CreateWindowEx(0, ui::WC_STATIC, L"3192 MHz",
                                              ui::WS_CHILD | ui::WS_VISIBLE | ui::SS_OWNERDRAW, 10, 10, 80, 20, parent_, 5);
    ASSERT_TRUE(label);
    ::RedrawWindow(Native(label), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    bool drawn = false;
    for (const Seen& seen : g_seen) {
        if (seen.message != ui::WM_DRAWITEM) continue;
        drawn = true;
        EXPECT_EQ(seen.from, label);
        EXPECT_EQ(seen.code, static_cast<int>(ui::ODT_STATIC));
        EXPECT_EQ(seen.wParam, 5u);
    }
    EXPECT_TRUE(drawn);
}

TEST(Win32SystemMenu, TheProgramsEntriesFollowTheSystemsAndEntryZeroIsNeverTheSeparator) {
    window::form::Form form(L"FormMenu", 200, 100);
    const ui::HMENU menu = ui::GetSystemMenu(form.Hwnd(), false);
    ASSERT_TRUE(menu);
    const int system = ui::GetMenuItemCount(menu);
    std::vector<int> systemIds;
    for (int i = 0; i < system; ++i) systemIds.push_back(ui::GetMenuItemID(menu, i));

    EXPECT_TRUE(ui::AppendMenu(menu, ui::MF_STRING, 0, L"&Opslaan als..."));
    EXPECT_TRUE(ui::AppendMenu(menu, ui::MF_SEPARATOR, 1, L""));
    EXPECT_TRUE(ui::AppendMenu(menu, ui::MF_STRING, 2, L"&Over Veltrix"));
    EXPECT_EQ(ui::GetMenuItemCount(menu), system + 3);
    EXPECT_EQ(ui::GetMenuString(menu, 0, ui::MF_BYCOMMAND), L"&Opslaan als...");

    ui::MENUITEMINFO info;
    info.fMask = ui::MIIM_STATE | ui::MIIM_TYPE;
    info.fState = ui::MFS_CHECKED;
    info.wID = 2;
    info.text = L"&Info";
    EXPECT_TRUE(ui::SetMenuItemInfo(menu, 2, false, info));
    EXPECT_NE(ui::GetMenuState(menu, 2, ui::MF_BYCOMMAND) & ui::MF_CHECKED, 0u);
    EXPECT_EQ(ui::GetMenuString(menu, 2, ui::MF_BYCOMMAND), L"&Info");

    for (int id = 2; id >= 0; --id) EXPECT_TRUE(ui::DeleteMenu(menu, static_cast<ui::UINT>(id), ui::MF_BYCOMMAND));
    EXPECT_FALSE(ui::DeleteMenu(menu, 0, ui::MF_BYCOMMAND));
    ASSERT_EQ(ui::GetMenuItemCount(menu), system);
    for (int i = 0; i < system; ++i) EXPECT_EQ(ui::GetMenuItemID(menu, i), systemIds[static_cast<std::size_t>(i)]);
    EXPECT_EQ(ui::GetMenuState(menu, 9, ui::MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST(Win32ScrollBar, TheValueFollowsTheProgramAndTheSystemsStepsAtBothEndsAndTurnedRound) {
    window::form::Form form(L"FormBar", 200, 100);
    window::form::HScrollBar& bar = form.AddHScrollBar(L"HScrollIndex", {10, 10, 33, 19});
    int changes = 0;
    bar.Change.Connect([&] { ++changes; });
    const auto step = [&](int code) {
        ::SendMessageA(Native(form.Hwnd()), WM_HSCROLL, static_cast<::WPARAM>(code), reinterpret_cast<::LPARAM>(Native(bar.Hwnd())));
    };
    bar.SetMin(0);
    bar.SetMax(4);
    EXPECT_EQ(changes, 0);
    bar.SetValue(3);
    bar.SetValue(9);  // outside: ignored
    EXPECT_EQ(bar.Value(), 3);
    EXPECT_EQ(changes, 1);
    step(SB_LINERIGHT);
    EXPECT_EQ(bar.Value(), 4);
    step(SB_LINERIGHT);  // at the end: no change
    EXPECT_EQ(bar.Value(), 4);
    EXPECT_EQ(changes, 2);
    step(SB_LEFT);
    EXPECT_EQ(bar.Value(), 0);

    // Max below Min: Min is at the left end, and the left arrow goes to it.
    bar.SetMin(4);
    bar.SetMax(0);
    bar.SetValue(1);
    step(SB_LINELEFT);
    EXPECT_EQ(bar.Value(), 2);
    step(SB_LEFT);
    EXPECT_EQ(bar.Value(), 4);
    step(SB_RIGHT);
    EXPECT_EQ(bar.Value(), 0);

    // An empty list (Max = Min - 1) leaves the value at Min.
    bar.SetMin(0);
    bar.SetMax(-1);
    EXPECT_EQ(bar.Value(), 0);
}

TEST(Win32Timer, TicksComeThroughTheMessageLoopOnlyWhileEnabled) {
    window::form::Timer timer(L"TimerVeltrix");
    int ticks = 0;
    timer.Tick.Connect([&] { ++ticks; });
    timer.SetInterval(20);
    for (int i = 0; i < 500 && ticks < 2; ++i) {
        ::Sleep(10);
        ui::Application::ProcessEvents();
    }
    EXPECT_GE(ticks, 2);
    timer.SetEnabled(false);
    const int stopped = ticks;
    for (int i = 0; i < 10; ++i) {
        ::Sleep(10);
        ui::Application::ProcessEvents();
    }
    EXPECT_EQ(ticks, stopped);
}

TEST(Win32Gdi, FontsAndBrushesAreTheSystemsAndCountedUntilGivenBack) {
    const std::size_t before = ui::GetGdiObjectCount();
    ui::LOGFONT record;
    record.lfHeight = -11;
    record.lfWeight = ui::FW_BOLD;
    record.lfFaceName = L"MS Sans Serif";
    const ui::HFONT font = ui::CreateFontIndirect(record);
    const ui::HBRUSH brush = ui::CreateSolidBrush(ui::RGB(0, 0, 128));
    ASSERT_TRUE(font && brush);
    ::LOGFONTA system{};
    EXPECT_GT(::GetObjectA(reinterpret_cast<::HFONT>(font), sizeof(system), &system), 0);
    EXPECT_EQ(system.lfHeight, -11);
    ui::LOGFONT back;
    ASSERT_TRUE(ui::GetObject(font, back));
    EXPECT_EQ(back, record);
    EXPECT_EQ(ui::GetGdiObjectCount(), before + 2);
    EXPECT_TRUE(ui::DeleteObject(font));
    EXPECT_TRUE(ui::DeleteObject(brush));
    EXPECT_FALSE(ui::DeleteObject(font));
    EXPECT_EQ(ui::GetGdiObjectCount(), before);
}

TEST(Win32Form, LabelsAreTheSystemsStaticsWithTheirCaptionAndStyles) {
    window::form::Form form(L"FormLabels", 200, 100);
    window::form::Label& label = form.AddLabel(L"LabelProcessorName", {10, 10, 100, 17}, L"&Naam:");
    char systemClass[32] = {};
    ::GetClassNameA(Native(label.Hwnd()), systemClass, sizeof(systemClass));
    EXPECT_STREQ(systemClass, "Static");
    EXPECT_EQ(ui::GetClassName(label.Hwnd()), L"VeltrixLabel");
    char text[32] = {};
    ::GetWindowTextA(Native(label.Hwnd()), text, sizeof(text));
    EXPECT_STREQ(text, "&Naam:");
    const auto style = [&] { return static_cast<std::uint32_t>(::GetWindowLongPtrA(Native(label.Hwnd()), ui::GWL_STYLE)); };
    EXPECT_EQ(style() & SS_NOPREFIX, 0u);
    label.SetUseMnemonic(false);
    EXPECT_NE(style() & SS_NOPREFIX, 0u);
    label.SetAlignment(window::form::Alignment::Right);
    EXPECT_EQ(style() & ui::SS_TYPEMASK, ui::SS_RIGHT);
    label.SetAlignment(window::form::Alignment::Left);
    EXPECT_EQ(style() & ui::SS_TYPEMASK, ui::SS_LEFT);
}

// Last: closing the only form ends the application's loop (WM_QUIT), which
// the test takes out of the queue again.
TEST(Win32Form, CloseAsksQueryUnloadThenHidesAndEnterAndEscapePressTheFormsButtons) {
    window::form::Form form(L"FormAbout", 200, 100, {window::form::BorderStyle::FixedDialog, false, false});
    window::form::CommandButton& ok = form.AddCommandButton(L"CommandOK", {10, 60, 80, 24}, L"OK");
    window::form::CommandButton& cancel = form.AddCommandButton(L"CommandCancel", {100, 60, 80, 24}, L"Annuleren");
    ok.SetDefault(true);
    cancel.SetCancel(true);
    int okClicks = 0;
    int cancelClicks = 0;
    ok.Click.Connect([&] { ++okClicks; });
    cancel.Click.Connect([&] { ++cancelClicks; });
    form.Show();

    ::SendMessageA(Native(form.Hwnd()), WM_COMMAND, ui::IDOK, 0);     // Enter, as the dialog manager sends it
    ::SendMessageA(Native(form.Hwnd()), WM_COMMAND, ui::IDCANCEL, 0);  // Escape
    ::SendMessageA(Native(ok.Hwnd()), BM_CLICK, 0, 0);                 // a click on the button itself
    EXPECT_EQ(okClicks, 2);
    EXPECT_EQ(cancelClicks, 1);

    bool keep = true;
    int unloaded = 0;
    form.QueryUnload.Connect([&](bool& cancelClose) { cancelClose = keep; });
    form.Unloaded.Connect([&] { ++unloaded; });
    form.Unload();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(unloaded, 0);
    keep = false;
    ::SendMessageA(Native(form.Hwnd()), ui::WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(ui::IsWindow(form.Hwnd()));
    EXPECT_EQ(unloaded, 1);
    ::MSG quit{};
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
