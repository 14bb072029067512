// The label tie a screen reader is given: made, undone, gone with the
// label, and refused where the chain of labels would come back round.
#include <gtest/gtest.h>

#include "side.h"
#include "window/form/form.h"
#include "window/form/label.h"
#include "window/ui/accessibility.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

TEST(LabelTie, ATieIsMadeUndoneAndGoneWithItsLabelAndACycleIsRefused) {
    form::Form owner(L"TestForm", 300, 200);
    const ui::HWND value = ui::CreateWindowEx(0, ui::WC_STATIC, L"3192 MHz", ui::WS_CHILD | ui::WS_VISIBLE, 100, 10, 80, 17,
                                              owner.Hwnd());
    form::Label& caption = owner.AddLabel(L"LabelProcessorSpeed", {10, 10, 80, 17}, L"&Snelheid:");
    form::Label& heading = owner.AddLabel(L"LabelProcessor", {10, 40, 80, 17}, L"Processor");
    ASSERT_TRUE(value);

    EXPECT_EQ(ui::GetLabelledBy(value), nullptr);
    EXPECT_TRUE(ui::SetLabelledBy(value, caption.Hwnd()));
    EXPECT_EQ(ui::GetLabelledBy(value), caption.Hwnd());
    EXPECT_TRUE(ui::SetLabelledBy(caption.Hwnd(), heading.Hwnd()));  // a chain: fine

    // Round: the value would name the caption that names the value.
    EXPECT_FALSE(ui::SetLabelledBy(heading.Hwnd(), value));
    EXPECT_FALSE(ui::SetLabelledBy(caption.Hwnd(), value));
    EXPECT_FALSE(ui::SetLabelledBy(value, value));
    EXPECT_EQ(ui::GetLabelledBy(heading.Hwnd()), nullptr);
    EXPECT_EQ(ui::GetLabelledBy(caption.Hwnd()), heading.Hwnd());
    EXPECT_EQ(ui::GetLabelledBy(value), caption.Hwnd());

    // Not windows: refused, nothing changed.
    EXPECT_FALSE(ui::SetLabelledBy(nullptr, caption.Hwnd()));
    const ui::HWND gone = ui::CreateWindowEx(0, ui::WC_STATIC, L"", ui::WS_CHILD, 0, 0, 5, 5, owner.Hwnd());
    ui::DestroyWindow(gone);
    EXPECT_FALSE(ui::SetLabelledBy(value, gone));
    EXPECT_EQ(ui::GetLabelledBy(value), caption.Hwnd());

    // Undone, then a tie to a label that goes.
    EXPECT_TRUE(ui::SetLabelledBy(caption.Hwnd(), nullptr));
    EXPECT_EQ(ui::GetLabelledBy(caption.Hwnd()), nullptr);
    EXPECT_TRUE(ui::SetLabelledBy(heading.Hwnd(), value));  // no longer a cycle
    EXPECT_TRUE(ui::SetLabelledBy(heading.Hwnd(), nullptr));
    const ui::HWND label = ui::CreateWindowEx(0, ui::WC_STATIC, L"Naam:", ui::WS_CHILD, 0, 0, 5, 5, owner.Hwnd());
    EXPECT_TRUE(ui::SetLabelledBy(value, label));
    ui::DestroyWindow(label);
    side::Settle();
    EXPECT_EQ(ui::GetLabelledBy(value), nullptr);
}

}  // namespace
