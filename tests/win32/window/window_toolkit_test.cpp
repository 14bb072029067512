// The Win32 side's own cases, beside the toolkit's shared ones
// (tests/window_cases): what crosses to the system itself. A message the
// system delivers climbs the toolkit's procedures; text reaches the system
// in the ANSI code page, properties as the system's; a font is the
// system's; a label is the system's static with its styles.
// The system's headers, less the names the toolkit's vocabulary declares.
#include "window/win32/ui/system_headers.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "window/form/form.h"
#include "window/form/label.h"
#include "window/ui/gdi.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

::HWND Native(ui::HWND window) { return reinterpret_cast<::HWND>(window); }

std::vector<ui::LPARAM> g_buttonUps;
ui::WNDPROC g_previous = nullptr;

ui::LRESULT Recorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    if (message == ui::WM_LBUTTONUP) g_buttonUps.push_back(lParam);
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

TEST(Win32SystemRecords, SystemMessagesClimbTheChainAndTextAndPropertiesAreTheSystems) {
    form::Form form(L"TestForm", 300, 200);
    const ui::HWND child = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 50,
                                              20, form.Hwnd());
    ASSERT_TRUE(child);
    g_buttonUps.clear();
    g_previous = ui::SetWindowProc(child, &Recorder);
    // A message the system delivers goes through the toolkit's procedure.
    ::SendMessageA(Native(child), ui::WM_LBUTTONUP, 0, ui::MAKELPARAM(3, 4));
    ASSERT_EQ(g_buttonUps.size(), 1u);
    EXPECT_EQ(ui::GET_X_LPARAM(g_buttonUps[0]), 3);
    EXPECT_EQ(ui::GET_Y_LPARAM(g_buttonUps[0]), 4);
    // "é" is one byte of the ANSI code page.
    EXPECT_TRUE(ui::SetWindowText(child, L"Caf\u00e9"));
    EXPECT_EQ(::GetWindowTextLengthA(Native(child)), 4);
    EXPECT_TRUE(ui::SetProp(child, L"SunkenLabel", 42));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(::GetPropA(Native(child), "SunkenLabel")), 42u);
}

TEST(Win32SystemRecords, FontsAreTheSystemsFonts) {
    ui::LOGFONT record;
    record.lfHeight = -11;
    record.lfWeight = ui::FW_BOLD;
    record.lfFaceName = L"MS Sans Serif";
    const ui::HFONT font = ui::CreateFontIndirect(record);
    ASSERT_TRUE(font);
    ::LOGFONTA system{};
    EXPECT_GT(::GetObjectA(reinterpret_cast<::HFONT>(font), sizeof(system), &system), 0);
    EXPECT_EQ(system.lfHeight, -11);
    EXPECT_EQ(system.lfWeight, ui::FW_BOLD);
    EXPECT_TRUE(ui::DeleteObject(font));
}

TEST(Win32SystemRecords, LabelsAreTheSystemsStaticsWithTheirCaptionAndStyles) {
    form::Form form(L"FormLabels", 200, 100);
    form::Label& label = form.AddLabel(L"LabelProcessorName", {10, 10, 100, 17}, L"&Naam:");
    char systemClass[32] = {};
    ::GetClassNameA(Native(label.Hwnd()), systemClass, sizeof(systemClass));
    EXPECT_STREQ(systemClass, "Static");
    char text[32] = {};
    ::GetWindowTextA(Native(label.Hwnd()), text, sizeof(text));
    EXPECT_STREQ(text, "&Naam:");
    const auto style = [&] { return static_cast<std::uint32_t>(::GetWindowLongPtrA(Native(label.Hwnd()), ui::GWL_STYLE)); };
    EXPECT_EQ(style() & SS_NOPREFIX, 0u);
    label.SetUseMnemonic(false);
    EXPECT_NE(style() & SS_NOPREFIX, 0u);
    label.SetUseMnemonic(true);
    EXPECT_EQ(style() & SS_NOPREFIX, 0u);
    label.SetAlignment(form::Alignment::Right);
    EXPECT_EQ(style() & ui::SS_TYPEMASK, ui::SS_RIGHT);
    label.SetAlignment(form::Alignment::Left);
    EXPECT_EQ(style() & ui::SS_TYPEMASK, ui::SS_LEFT);
    label.SetCaption(L"Onbekend");
    ::GetWindowTextA(Native(label.Hwnd()), text, sizeof(text));
    EXPECT_STREQ(text, "Onbekend");
}

}  // namespace
