// The form controls' tooltips on the Win32 side: each control is a tool of
// its form's system tooltip window, identified by its own window, with its
// text in the ANSI code page; a new text replaces the tool's, an empty one
// removes the tool, and the tooltip window goes with its form.
#include "window/win32/ui/system_headers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "window/form/form.h"
#include "window/form/label.h"
#include "window/ui/tooltip.h"
#include "window/win32/form/form_windows.h"
#include "window/win32/ui/registry.h"

namespace ui = window::ui;
// The system's tooltip messages are counted from WM_USER.
using window::ui::WM_USER;

namespace {

::HWND Native(ui::HWND window) { return reinterpret_cast<::HWND>(window); }

int ToolCount(::HWND toolTip) { return static_cast<int>(::SendMessageA(toolTip, ui::TTM_GETTOOLCOUNT, 0, 0)); }

// The text the tooltip window holds for the control; nothing when the
// control is no tool of it.
std::optional<std::string> ToolText(::HWND toolTip, ui::HWND control) {
    char text[256] = {};
    ::TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = ::GetParent(Native(control));
    tool.uId = reinterpret_cast<::UINT_PTR>(Native(control));
    tool.lpszText = text;
    if (!::SendMessageA(toolTip, TTM_GETTOOLINFOA, 0, reinterpret_cast<::LPARAM>(&tool))) return std::nullopt;
    if (!(tool.uFlags & ui::TTF_IDISHWND) || !(tool.uFlags & ui::TTF_SUBCLASS)) return "(flags)";
    tool.lpszText = text;
    ::SendMessageA(toolTip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<::LPARAM>(&tool));
    return std::string(text);
}

}  // namespace

TEST(Win32ToolTip, AControlsToolIsRegisteredReplacedAndRemovedWithItsTextInTheAnsiCodePage) {
    ::HWND toolTip = nullptr;
    {
        window::form::Form form(L"FormTips", 300, 100);
        window::form::Label& speed = form.AddLabel(L"LabelSpeed", {10, 10, 100, 17}, L"Snelheid:");
        window::form::Label& size = form.AddLabel(L"LabelSize", {10, 40, 100, 17}, L"Grootte:");
        EXPECT_EQ(window::form::win32::FormToolTip(speed.Hwnd(), false), nullptr);

        const std::wstring first = L"Kloksnelheid in MHz \u00e9\u00fc";
        speed.SetToolTipText(first);
        toolTip = window::form::win32::FormToolTip(speed.Hwnd(), false);
        ASSERT_TRUE(toolTip);
        char systemClass[32] = {};
        ::GetClassNameA(toolTip, systemClass, sizeof(systemClass));
        EXPECT_STREQ(systemClass, "tooltips_class32");
        EXPECT_EQ(ToolCount(toolTip), 1);
        EXPECT_EQ(ToolText(toolTip, speed.Hwnd()), ui::win32::AnsiText(first));
        EXPECT_EQ(ToolText(toolTip, size.Hwnd()), std::nullopt);

        // One tooltip window serves the form's controls; a new text replaces.
        size.SetToolTipText(L"Grootte in bytes");
        EXPECT_EQ(window::form::win32::FormToolTip(size.Hwnd(), false), toolTip);
        speed.SetToolTipText(L"Snelheid");
        EXPECT_EQ(ToolCount(toolTip), 2);
        EXPECT_EQ(ToolText(toolTip, speed.Hwnd()), "Snelheid");
        EXPECT_EQ(ToolText(toolTip, size.Hwnd()), "Grootte in bytes");

        // Empty text removes the tool; removing it again changes nothing.
        speed.SetToolTipText(L"");
        speed.SetToolTipText(L"");
        EXPECT_EQ(ToolCount(toolTip), 1);
        EXPECT_EQ(ToolText(toolTip, speed.Hwnd()), std::nullopt);
        EXPECT_EQ(ToolText(toolTip, size.Hwnd()), "Grootte in bytes");
        EXPECT_TRUE(::IsWindow(toolTip));
    }
    EXPECT_FALSE(::IsWindow(toolTip));
}
