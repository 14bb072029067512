// The Win32 side's scroll bar dragged by the user over a range wider than
// the 16 bits WM_HSCROLL carries a thumb position in.
#include "window/win32/ui/system_headers.h"

#include <gtest/gtest.h>

#include <vector>

#include "side.h"
#include "window/form/form.h"
#include "window/form/hscrollbar.h"
#include "window/ui/application.h"
#include "window/ui/messages.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

::HWND Native(ui::HWND window) { return reinterpret_cast<::HWND>(window); }

// The system's bar follows the mouse in a loop of its own from the press on
// the thumb to the release: the press, the move and the release are queued
// together, and the press starts the loop that takes the other two.
TEST(Win32ScrollBar, AThumbDraggedPast65535GivesTheWholePosition) {
    form::Form owner(L"TestForm", 400, 100);
    form::HScrollBar& bar = owner.AddHScrollBar(L"Bar", {10, 10, 300, 17});
    bar.SetMax(100000);
    ASSERT_TRUE(side::ShowActive(owner.Hwnd()));
    std::vector<int> dragged;
    bar.Scroll.Connect([&] { dragged.push_back(bar.Value()); });

    const ::HWND native = Native(bar.Hwnd());
    ::SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetScrollBarInfo(native, OBJID_CLIENT, &info));
    const int y = (info.rcScrollBar.bottom - info.rcScrollBar.top) / 2;
    const int thumb = (info.xyThumbTop + info.xyThumbBottom) / 2;
    const int width = info.rcScrollBar.right - info.rcScrollBar.left;
    const int to = width * 85 / 100;
    ::PostMessageA(native, ui::WM_LBUTTONDOWN, ui::MK_LBUTTON, ui::MAKELPARAM(thumb, y));
    ::PostMessageA(native, ui::WM_MOUSEMOVE, ui::MK_LBUTTON, ui::MAKELPARAM(to, y));
    ::PostMessageA(native, ui::WM_LBUTTONUP, 0, ui::MAKELPARAM(to, y));
    side::PumpFor(300);

    ASSERT_FALSE(dragged.empty());
    EXPECT_GT(dragged.back(), 65535);
    EXPECT_LT(dragged.back(), 100000);
    // Let go there: the value stays where the thumb was dropped.
    EXPECT_EQ(bar.Value(), dragged.back());
    EXPECT_EQ(::GetScrollPos(native, SB_CTL), bar.Value());
}

}  // namespace
