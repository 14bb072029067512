// The form engine's controls on the side's windows: design positions,
// finding controls, labels' captions and clicks, the scroll bar,
// the timer, and a form's close with its default and cancel buttons.
#include <gtest/gtest.h>

#include <memory>

#include "side.h"
#include "window/form/command_button.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/hscrollbar.h"
#include "window/form/label.h"
#include "window/form/line.h"
#include "window/form/timer.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

class FormCases : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<form::Form>(L"FormVeltrix", form::TwipsToPixels(9255), form::TwipsToPixels(6330));
    }
    void TearDown() override {
        form_.reset();
        side::Settle();
    }
    std::unique_ptr<form::Form> form_;
};

TEST_F(FormCases, DesignPositionsAreTwips) {
    EXPECT_EQ(form_->ClientWidth(), 617);
    EXPECT_EQ(form_->ClientHeight(), 422);
    ui::RECT client;
    ui::GetClientRect(form_->Hwnd(), client);
    EXPECT_EQ(client.Width(), 617);
    EXPECT_EQ(client.Height(), 422);
    EXPECT_EQ(form::Twips(120, 1080, 9015, 5145), (form::Bounds{8, 72, 601, 343}));
    EXPECT_EQ(form::TwipsToPixels(2535 - 45), 166);
    EXPECT_EQ(form::TwipsToPixels(-15), -1);
}

TEST_F(FormCases, ControlsAreFoundByNameAndPagesMoveInAtRunTime) {
    form::Frame& page = form_->AddFrame(L"FrameVeltrix(9)", form::Twips(9360, 1680, 8775, 4425));
    form::Label& label = page.AddLabel(L"LabelHarddrivesModel", form::Twips(240, 360, 1695, 255), L"Model:");
    EXPECT_EQ(form_->Find<form::Label>(L"LabelHarddrivesModel"), &label);
    EXPECT_FALSE(form_->Find<form::HScrollBar>(L"LabelHarddrivesModel"));
    EXPECT_FALSE(form_->FindControl(L"Nothing"));
    EXPECT_EQ(ui::GetParent(label.Hwnd()), page.Hwnd());
    EXPECT_EQ(label.GetBounds(), (form::Bounds{16, 24, 113, 17}));
    // Pages are parked outside and moved in at run time, in pixels.
    page.Move(16, 112);
    EXPECT_EQ(page.Left(), 16);
    ui::RECT placed;
    ui::GetWindowRect(page.Hwnd(), placed);
    EXPECT_EQ(placed.left, 16);
    EXPECT_EQ(placed.top, 112);
    page.SetVisible(false);
    EXPECT_FALSE(page.Visible());
    EXPECT_TRUE(label.Visible());
    EXPECT_FALSE(ui::IsWindowVisible(label.Hwnd()));
}

TEST_F(FormCases, LabelsCarryTheirCaptionAndRaiseClicks) {
    form::Label& label = form_->AddLabel(L"LabelProcessorName", {10, 10, 100, 17}, L"&Naam:");
    EXPECT_EQ(ui::GetClassName(label.Hwnd()), L"VeltrixLabel");
    // The caption is measured in the side's own font.
    label.SetCaption(L"Onbekend");
    const int shortWidth = label.CaptionWidth();
    EXPECT_GT(shortWidth, 0);
    label.SetCaption(L"Onbekend apparaat");
    EXPECT_GT(label.CaptionWidth(), shortWidth);

    int clicks = 0;
    int doubleClicks = 0;
    label.Click.Connect([&] { ++clicks; });
    label.DblClick.Connect([&] { ++doubleClicks; });
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    side::Click(label.Hwnd(), {5, 5});
    side::DoubleClick(label.Hwnd(), {5, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
    label.SetEnabled(false);
    EXPECT_FALSE(label.Enabled());
    EXPECT_FALSE(ui::IsWindowEnabled(label.Hwnd()));

    // "&" marks an access key, which takes no room; taken literally it does.
    label.SetCaption(L"A&B");
    const int withMnemonic = label.CaptionWidth();
    label.SetUseMnemonic(false);
    EXPECT_GT(label.CaptionWidth(), withMnemonic);
    EXPECT_GT(form_->TextWidth(L"www.example.org"), form_->TextWidth(L"www"));
}

TEST_F(FormCases, TheScrollBarsValueFollowsTheProgramAndTheUsersStepsAtBothEndsAndTurnedRound) {
    form::HScrollBar& bar = form_->AddHScrollBar(L"HScrollIndex(9)", form::Twips(2535, 315, 495, 285));
    int changes = 0;
    bar.Change.Connect([&] { ++changes; });
    // An empty list: Max one below Min, the value stays at Min.
    bar.SetMax(-1);
    EXPECT_EQ(bar.Max(), -1);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(changes, 0);
    bar.SetMax(4);
    bar.SetValue(2);
    EXPECT_EQ(changes, 1);
    bar.SetValue(2);
    bar.SetValue(7);  // outside: ignored
    EXPECT_EQ(bar.Value(), 2);
    EXPECT_EQ(changes, 1);
    // The user's arrows raise Change; at the end there is nothing to step.
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    side::Scroll(bar.Hwnd(), side::ScrollStep::LineRight);
    side::Scroll(bar.Hwnd(), side::ScrollStep::LineRight);
    EXPECT_EQ(bar.Value(), 4);
    EXPECT_EQ(changes, 3);
    side::Scroll(bar.Hwnd(), side::ScrollStep::LineRight);
    EXPECT_EQ(bar.Value(), 4);
    EXPECT_EQ(changes, 3);
    side::Scroll(bar.Hwnd(), side::ScrollStep::ToLeft);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(changes, 4);
    // A smaller range moves the value into it.
    bar.SetValue(3);
    bar.SetMax(1);
    EXPECT_EQ(bar.Value(), 1);
    EXPECT_EQ(changes, 6);
    side::Scroll(bar.Hwnd(), side::ScrollStep::LineLeft);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(changes, 7);

    // Max below Min: Min is at the left end, and the left arrow goes towards it.
    bar.SetMin(4);
    bar.SetMax(0);
    bar.SetValue(1);
    side::Scroll(bar.Hwnd(), side::ScrollStep::LineLeft);
    EXPECT_EQ(bar.Value(), 2);
    side::Scroll(bar.Hwnd(), side::ScrollStep::ToLeft);
    EXPECT_EQ(bar.Value(), 4);
    side::Scroll(bar.Hwnd(), side::ScrollStep::ToRight);
    EXPECT_EQ(bar.Value(), 0);

    // An empty list again leaves the value at Min.
    bar.SetMin(0);
    bar.SetMax(-1);
    EXPECT_EQ(bar.Value(), 0);
    bar.SetEnabled(false);
    EXPECT_FALSE(ui::IsWindowEnabled(bar.Hwnd()));
}

TEST_F(FormCases, TheTimerTicksThroughTheLoopOnlyWhileEnabledWithAnInterval) {
    form::Timer& timer = form_->AddTimer(L"TimerVeltrix");
    EXPECT_EQ(form_->FindTimer(L"TimerVeltrix"), &timer);
    int ticks = 0;
    timer.Tick.Connect([&] { ++ticks; });
    side::PumpFor(30);
    EXPECT_EQ(ticks, 0);  // no interval yet
    timer.SetInterval(10);
    EXPECT_TRUE(side::PumpUntil([&] { return ticks >= 2; }, 5000));
    timer.SetEnabled(false);
    const int stopped = ticks;
    side::PumpFor(60);
    EXPECT_EQ(ticks, stopped);
}

// Enter presses the default button and Escape the cancel button; closing
// asks QueryUnload, which may keep the form, then hides it and raises
// Unloaded; the window stays for the program to show again.
TEST(FormClose, CloseAsksQueryUnloadThenHidesAndEnterAndEscapePressTheFormsButtons) {
    form::Form form(L"FormAbout", 200, 100, {form::BorderStyle::FixedDialog, false, false});
    form::CommandButton& ok = form.AddCommandButton(L"CommandOK", {10, 60, 80, 24}, L"OK");
    form::CommandButton& cancel = form.AddCommandButton(L"CommandCancel", {100, 60, 80, 24}, L"Annuleren");
    ok.SetDefault(true);
    cancel.SetCancel(true);
    int okClicks = 0;
    int cancelClicks = 0;
    ok.Click.Connect([&] { ++okClicks; });
    cancel.Click.Connect([&] { ++cancelClicks; });
    ASSERT_TRUE(side::ShowActive(form.Hwnd()));
    ui::SetFocus(cancel.Hwnd());
    side::PressKey(ui::VK_RETURN);  // the default button, wherever the focus is
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(cancelClicks, 0);
    side::PressKey(ui::VK_ESCAPE);
    EXPECT_EQ(cancelClicks, 1);
    ui::RECT button;
    ui::GetClientRect(ok.Hwnd(), button);
    side::Click(ok.Hwnd(), {button.Width() / 2, button.Height() / 2});
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
    ui::SendMessage(form.Hwnd(), ui::WM_CLOSE, 0, 0);  // the close box
    EXPECT_TRUE(side::PumpUntil([&] { return !form.Visible(); }));
    EXPECT_TRUE(ui::IsWindow(form.Hwnd()));
    EXPECT_EQ(unloaded, 1);
    side::TakeBackQuit();
}

}  // namespace
