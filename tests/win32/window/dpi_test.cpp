// Design pixels and the screen's on the Win32 side: what the toolkit hands
// the system is scaled by DPI/96, each edge rounded as MulDiv rounds, and
// what it reads back is scaled the other way. The cases hold at any DPI; the
// suite runs them at 96 (WindowToolkitWin32, where both are the same) and at
// 144 (WindowToolkitWin32At144Dpi, a prefix of that resolution).
#include "window/win32/ui/system_headers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "window/ui/gdi.h"
#include "window/ui/stdfont.h"
#include "window/ui/tab_strip.h"
#include "window/ui/window.h"
#include "window/win32/ui/registry.h"

namespace ui = window::ui;

namespace {

::HWND Native(ui::HWND window) { return reinterpret_cast<::HWND>(window); }

int Screen(int design) { return ::MulDiv(design, ui::win32::ScreenDpi(), 96); }

// The window's rectangle in its parent's client pixels, as the system has it.
::RECT SystemPlace(ui::HWND window) {
    ::RECT place;
    ::GetWindowRect(Native(window), &place);
    ::MapWindowPoints(nullptr, ::GetParent(Native(window)), reinterpret_cast<::POINT*>(&place), 2);
    return place;
}

std::vector<ui::LPARAM> g_points;  // the lParam of each mouse message and WM_SIZE seen
ui::WNDPROC g_previous = nullptr;

ui::LRESULT PointRecorder(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    if (message == ui::WM_LBUTTONUP || message == ui::WM_SIZE) g_points.push_back(lParam);
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

class Win32Dpi : public ::testing::Test {
protected:
    void SetUp() override {
        g_points.clear();
        parent_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_POPUP | ui::WS_VISIBLE, 0, 0, 400, 150,
                                     nullptr);
        ASSERT_TRUE(parent_);
    }
    void TearDown() override { ui::DestroyWindow(parent_); }

    ui::HWND parent_ = nullptr;
};

}  // namespace

// A run names the resolution it set up (VELTRIX_TEST_DPI; 96 otherwise), so
// that at 144 the cases below are not the identity they are at 96.
TEST_F(Win32Dpi, TheScreenHasTheResolutionTheRunAsksFor) {
    const char* wanted = std::getenv("VELTRIX_TEST_DPI");
    EXPECT_EQ(ui::win32::ScreenDpi(), wanted ? std::atoi(wanted) : 96);
}

TEST_F(Win32Dpi, WindowsAreMadeAndMovedEdgeByEdgeAndReadBackInDesignPixels) {
    // Odd figures, which at 144 DPI fall on half pixels.
    const ui::HWND child = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 11, 21, 101,
                                              17, parent_);
    ASSERT_TRUE(child);
    ::RECT place = SystemPlace(child);
    EXPECT_EQ(place.left, Screen(11));
    EXPECT_EQ(place.top, Screen(21));
    EXPECT_EQ(place.right, Screen(112));
    EXPECT_EQ(place.bottom, Screen(38));
    ui::RECT read;
    ASSERT_TRUE(ui::GetWindowRect(child, read));
    EXPECT_EQ(read, (ui::RECT{11, 21, 112, 38}));
    ASSERT_TRUE(ui::GetClientRect(child, read));
    EXPECT_EQ(read, (ui::RECT{0, 0, 101, 17}));

    // Moved beside another window: the two still touch on the screen.
    const ui::HWND next = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 1, 1,
                                             parent_);
    ASSERT_TRUE(ui::MoveWindow(child, 1, 3, 33, 7));
    ASSERT_TRUE(ui::MoveWindow(next, 34, 3, 33, 7));
    EXPECT_EQ(SystemPlace(child).right, SystemPlace(next).left);
    EXPECT_EQ(SystemPlace(next).right, Screen(67));
    ASSERT_TRUE(ui::GetWindowRect(next, read));
    EXPECT_EQ(read, (ui::RECT{34, 3, 67, 10}));
}

TEST_F(Win32Dpi, MouseAndSizeMessagesArriveInDesignPixels) {
    g_previous = ui::SetWindowProc(parent_, &PointRecorder);
    ::SendMessageA(Native(parent_), ui::WM_LBUTTONUP, 0, ui::MAKELPARAM(Screen(30), Screen(40)));
    ::SetWindowPos(Native(parent_), nullptr, 0, 0, Screen(200), Screen(100), SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(g_points.size(), 2u);
    EXPECT_EQ(ui::GET_X_LPARAM(g_points[0]), 30);
    EXPECT_EQ(ui::GET_Y_LPARAM(g_points[0]), 40);
    EXPECT_EQ(ui::LOWORD(static_cast<std::uintptr_t>(g_points[1])), 200);
    EXPECT_EQ(ui::HIWORD(static_cast<std::uintptr_t>(g_points[1])), 100);
}

// The tab strip's rectangles come back in design pixels and a hit test goes
// down scaled; a click the system delivers reaches the tab under it, the
// strip's own procedure getting the screen's figures it was sent.
TEST_F(Win32Dpi, TheTabStripsRectanglesAndHitTestsAreInDesignPixels) {
    const ui::HWND strip = ui::CreateWindowEx(0, ui::WC_TABCONTROL, L"", ui::WS_CHILD | ui::WS_VISIBLE, 0, 0, 400, 120,
                                              parent_, 7);
    ASSERT_TRUE(strip);
    for (int i = 0; i < 3; ++i) {
        ui::TCITEM item;
        item.mask = ui::TCIF_TEXT;
        item.text = L"Tab " + std::to_wstring(i);
        ui::SendMessage(strip, ui::TCM_INSERTITEM, static_cast<ui::WPARAM>(i), reinterpret_cast<ui::LPARAM>(&item));
    }
    ui::RECT design;
    ASSERT_TRUE(ui::SendMessage(strip, ui::TCM_GETITEMRECT, 2, reinterpret_cast<ui::LPARAM>(&design)));
    ::RECT system;
    ASSERT_TRUE(::SendMessageA(Native(strip), ui::TCM_GETITEMRECT, 2, reinterpret_cast<::LPARAM>(&system)));
    EXPECT_EQ(design, ui::win32::ToDesign(system));
    EXPECT_LE(design.right, 400);

    ui::TCHITTESTINFO test;
    test.pt = {(design.left + design.right) / 2, (design.top + design.bottom) / 2};
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_HITTEST, 0, reinterpret_cast<ui::LPARAM>(&test)), 2);

    const ::LPARAM at = ui::MAKELPARAM((system.left + system.right) / 2, (system.top + system.bottom) / 2);
    ::SendMessageA(Native(strip), ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, at);
    ::SendMessageA(Native(strip), ui::WM_LBUTTONUP, 0, at);
    EXPECT_EQ(ui::SendMessage(strip, ui::TCM_GETCURSEL, 0, 0), 2);
}

// A size in points becomes pixels with the screen's resolution itself: 8
// points are 16 pixels at 144 DPI (11 design pixels scaled would be 17).
TEST_F(Win32Dpi, FontsAreMadeAtTheScreensSizeAndTextMeasuredInDesignPixels) {
    const ui::HDC dc = ui::GetDC(parent_);
    ASSERT_TRUE(dc);
    EXPECT_EQ(ui::GetDeviceCaps(dc, ui::LOGPIXELSY), ui::win32::ScreenDpi());
    ui::StdFont eight;
    eight.name = L"Arial";
    eight.size = 8;
    const ui::HFONT font = ui::CreateFontIndirect(ui::LogFontFromStdFont(eight, ui::GetDeviceCaps(dc, ui::LOGPIXELSY)));
    ASSERT_TRUE(font);
    ::LOGFONTA system{};
    ASSERT_TRUE(::GetObjectA(reinterpret_cast<::HFONT>(font), sizeof(system), &system));
    EXPECT_EQ(system.lfHeight, -::MulDiv(8, ui::win32::ScreenDpi(), 72));

    ui::SelectObject(dc, font);
    ui::RECT measured{0, 0, 0, 0};
    ui::DrawText(dc, L"Vernieuwingsfrequentie:", measured, ui::DT_CALCRECT | ui::DT_SINGLELINE);
    ::SIZE extent{};
    ::GetTextExtentPoint32A(ui::win32::NativeDc(dc), "Vernieuwingsfrequentie:", 23, &extent);
    EXPECT_EQ(measured.right, ::MulDiv(extent.cx, 96, ui::win32::ScreenDpi()));
    ui::ReleaseDC(parent_, dc);
    ui::DeleteObject(font);
}
