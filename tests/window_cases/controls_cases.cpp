// The sunken value label and the gradient header over the side's windows:
// their settings, their clicks, what they hand on to the procedures below
// them, and the header's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "side.h"
#include "window/controls/Colors.h"
#include "window/controls/InfoFrame.h"
#include "window/controls/PropertyBag.h"
#include "window/controls/SunkenLabel.h"
#include "window/form/form.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;
using controls::Gradient;
using controls::InfoFrame;
using controls::SunkenLabel;

namespace {

std::vector<ui::UINT> g_passedOn;
ui::WNDPROC g_previous = nullptr;

// Sits under a control's own procedure and notes what is handed on to it.
ui::LRESULT NoteWhatPassesOn(ui::HWND window, ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) {
    g_passedOn.push_back(message);
    return ui::CallWindowProc(g_previous, window, message, wParam, lParam);
}

long Passed(ui::UINT message) { return std::count(g_passedOn.begin(), g_passedOn.end(), message); }

class ControlCases : public ::testing::Test {
protected:
    void SetUp() override {
        g_passedOn.clear();
        g_previous = nullptr;
        form_ = std::make_unique<form::Form>(L"TestForm", form::TwipsToPixels(9255), 300);
    }
    void TearDown() override {
        form_.reset();
        side::Settle();
    }
    std::unique_ptr<form::Form> form_;
};

TEST_F(ControlCases, TheSunkenLabelsAlignmentOutOfRangeIsIgnored) {
    SunkenLabel label(form_->Hwnd(), {10, 10, 80, 24});
    label.InitProperties();
    label.SetAlignment(3);
    EXPECT_EQ(label.Alignment(), SunkenLabel::kAlignLeft);
    EXPECT_FALSE(label.IsPropertyChanged(L"Alignment"));
    label.SetAlignment(SunkenLabel::kAlignRight);
    EXPECT_EQ(label.Alignment(), SunkenLabel::kAlignRight);
    EXPECT_TRUE(label.IsPropertyChanged(L"Alignment"));
}

TEST_F(ControlCases, TheSunkenLabelsClicksRaiseEventsAndStillPassOnButItsDrawingIsItsOwn) {
    SunkenLabel label(form_->Hwnd(), {10, 10, 80, 24});
    g_previous = ui::SetWindowProc(label.hWnd(), &NoteWhatPassesOn);
    label.InitProperties();
    label.SetText(L"3192 MHz");
    int clicks = 0;
    int doubleClicks = 0;
    label.Click.Connect([&] { ++clicks; });
    label.DblClick.Connect([&] { ++doubleClicks; });
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    side::Click(label.hWnd(), {20, 10});
    EXPECT_EQ(clicks, 1);
    side::DoubleClick(label.hWnd(), {20, 10});
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(Passed(ui::WM_LBUTTONUP), 2);
    EXPECT_EQ(Passed(ui::WM_LBUTTONDBLCLK), 1);
    // Drawing is the label's own: the owner-draw request is not handed on.
    g_passedOn.clear();
    side::Repaint(label.hWnd());
    EXPECT_EQ(Passed(ui::WM_DRAWITEM), 0);
    ui::SetWindowProc(label.hWnd(), g_previous);
}

TEST_F(ControlCases, TheSunkenLabelsStoredSettingsLeaveDefaultsOut) {
    SunkenLabel label(form_->Hwnd(), {10, 10, 80, 24});
    label.InitProperties();
    label.SetAlignment(SunkenLabel::kAlignCenter);
    label.SetText(L"2");
    controls::PropertyBag bag;
    label.WriteProperties(bag);
    EXPECT_EQ(bag.ReadLong(L"Alignment", 0), 1);
    EXPECT_EQ(bag.ReadString(L"Text", L""), L"2");
    EXPECT_FALSE(bag.Contains(L"BackColor"));
    EXPECT_FALSE(bag.Contains(L"Font"));  // the form's own font
    SunkenLabel copy(form_->Hwnd(), {10, 40, 80, 24});
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.Alignment(), SunkenLabel::kAlignCenter);
    EXPECT_EQ(copy.Text(), L"2");
    copy.SetEnabled(false);
    EXPECT_FALSE(ui::IsWindowEnabled(copy.ControlHwnd()));
    EXPECT_FALSE(ui::IsWindowEnabled(copy.hWnd()));
}

TEST_F(ControlCases, TheHeaderIsAlwaysAsWideAsItsContainerAndSixtyThreePixelsHigh) {
    InfoFrame header(form_->Hwnd(), {0, 0, 320, 100}, L"Header");
    ui::RECT r;
    ui::GetClientRect(header.hWnd(), r);
    EXPECT_EQ(r.Height(), InfoFrame::kHeight);
    EXPECT_EQ(r.Width(), form_->ClientWidth());
    header.Move(0, 5);
    ui::GetWindowRect(header.hWnd(), r);
    EXPECT_EQ(r, (ui::RECT{0, 5, form_->ClientWidth(), 5 + InfoFrame::kHeight}));
}

TEST_F(ControlCases, TheHeadersSettingsRoundTrip) {
    InfoFrame header(form_->Hwnd(), {0, 0, 320, 63});
    header.InitProperties();
    header.SetText(L"Veltrix");
    header.SetGradientColor(0xE4D4C8);
    EXPECT_TRUE(header.IsPropertyChanged(L"GradientColor"));
    controls::PropertyBag bag;
    header.WriteProperties(bag);
    EXPECT_FALSE(bag.Contains(L"BackColor"));
    EXPECT_EQ(bag.ReadLong(L"GradientColor", 0), 0xE4D4C8);
    InfoFrame copy(form_->Hwnd(), {0, 100, 320, 63});
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.Text(), L"Veltrix");
    EXPECT_EQ(copy.GradientColor(), ui::COLORREF{0xE4D4C8});
    EXPECT_EQ(Gradient::SafeDivide(5, 0), 0.0F);
    EXPECT_EQ(Gradient::SafeDivide(5, 2), 2.5F);
}

}  // namespace
