// Values a person can reach and copy: labels with a tab stop take the
// keyboard focus in the order they were made (a hidden frame's and the plain
// captions passed over), show a focus mark only once the keyboard has been
// used in their form, and copy "caption value" with Ctrl+C.
#include <gtest/gtest.h>

#include "side.h"
#include "window/form/form.h"
#include "window/form/frame.h"
#include "window/form/label.h"
#include "window/ui/accessibility.h"
#include "window/ui/clipboard.h"
#include "window/ui/messages.h"
#include "window/ui/window.h"

namespace ui = window::ui;
namespace form = window::form;

namespace {

// Two rows of a page, a page behind it, and a label tied to nothing.
class LabelReach : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<form::Form>(L"TestForm", 320, 200);
        form::Frame& page = form_->AddFrame(L"FrameShown", {10, 10, 300, 80});
        serialCaption_ = &page.AddLabel(L"LabelSerial", {10, 10, 100, 17}, L"Serie&nummer:");
        serial_ = &AddValue(page, L"LabelSerialvalue", {120, 10, 170, 17}, L"WD-123", *serialCaption_);
        nameCaption_ = &page.AddLabel(L"LabelName", {10, 40, 100, 17}, L"Naam:");
        name_ = &AddValue(page, L"LabelNamevalue", {120, 40, 170, 17}, L"Disk & Co", *nameCaption_);
        form::Label& modelCaption = page.AddLabel(L"LabelModel", {10, 60, 100, 17}, L"Model:");
        model_ = &AddValue(page, L"LabelModelvalue", {120, 60, 170, 17}, L"E", modelCaption);
        form::Frame& hidden = form_->AddFrame(L"FrameHidden", {10, 100, 300, 40});
        form::Label& hiddenCaption = hidden.AddLabel(L"LabelHidden", {10, 10, 100, 17}, L"Index:");
        AddValue(hidden, L"LabelHiddenvalue", {120, 10, 170, 17}, L"7", hiddenCaption);
        hidden.SetVisible(false);
        plain_ = &form_->AddLabel(L"LabelPlain", {20, 160, 150, 17}, L"Processor");
    }
    void TearDown() override {
        form_.reset();
        side::Settle();
    }

    static form::Label& AddValue(form::Frame& page, const wchar_t* name, const form::Bounds& at, const wchar_t* text,
                                 form::Label& caption) {
        form::Label& value = page.AddLabel(name, at, text);
        value.SetUseMnemonic(false);
        value.SetTabStop(true);
        ui::SetLabelledBy(value.Hwnd(), caption.Hwnd());
        return value;
    }

    std::unique_ptr<form::Form> form_;
    form::Label* serialCaption_ = nullptr;
    form::Label* serial_ = nullptr;
    form::Label* nameCaption_ = nullptr;
    form::Label* name_ = nullptr;
    form::Label* model_ = nullptr;
    form::Label* plain_ = nullptr;
};

TEST_F(LabelReach, ALabelHasNoTabStopUntilGivenOne) {
    EXPECT_FALSE(plain_->TabStop());
    EXPECT_FALSE(serialCaption_->TabStop());
    EXPECT_TRUE(serial_->TabStop());
    serial_->SetTabStop(false);
    EXPECT_FALSE(serial_->TabStop());
}

TEST_F(LabelReach, TabGoesRoundTheShownValuesInOrderAndShiftTabBack) {
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    serial_->SetFocus();
    ASSERT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == serial_->Hwnd(); }));
    side::PressKey(ui::VK_TAB);
    EXPECT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == name_->Hwnd(); }));
    side::PressKey(ui::VK_TAB);
    EXPECT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == model_->Hwnd(); }));
    // Past the last shown value: round to the first, the hidden page's value,
    // the captions and the plain label passed over.
    side::PressKey(ui::VK_TAB);
    EXPECT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == serial_->Hwnd(); }));
    side::PressKey(ui::VK_TAB, side::kShift);
    EXPECT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == model_->Hwnd(); }));
    side::PressKey(ui::VK_TAB, side::kShift);
    EXPECT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == name_->Hwnd(); }));

    // Without its tab stop, a value is passed over too.
    model_->SetTabStop(false);
    side::PressKey(ui::VK_TAB);
    EXPECT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == serial_->Hwnd(); }));
}

TEST_F(LabelReach, TheCopyTextIsTheCaptionAsShownThenTheValueAsShown) {
    EXPECT_EQ(serial_->CopyText(), L"Serienummer: WD-123");  // the access key's mark is not text
    EXPECT_EQ(name_->CopyText(), L"Naam: Disk & Co");        // a value's "&" is
    EXPECT_EQ(plain_->CopyText(), L"Processor");             // tied to nothing: the caption alone
    name_->SetCaption(L"");
    EXPECT_EQ(name_->CopyText(), L"Naam: ");
    nameCaption_->SetCaption(L"");
    name_->SetCaption(L"Onbekend");
    EXPECT_EQ(name_->CopyText(), L"Onbekend");
}

TEST_F(LabelReach, CtrlCPutsTheFocusedValueOnTheClipboard) {
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    ASSERT_TRUE(ui::SetClipboardText(form_->Hwnd(), L"before"));
    EXPECT_EQ(ui::GetClipboardText(), L"before");
    name_->SetFocus();
    ASSERT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == name_->Hwnd(); }));
    side::PressKey('C', side::kControl);
    EXPECT_TRUE(side::PumpUntil([] { return ui::GetClipboardText() == L"Naam: Disk & Co"; }))
        << "the clipboard holds: " << std::string(ui::GetClipboardText().begin(), ui::GetClipboardText().end());
    // C alone types nothing into a value and copies nothing.
    ASSERT_TRUE(ui::SetClipboardText(form_->Hwnd(), L"before"));
    side::PressKey('C');
    side::PumpFor(50);
    EXPECT_EQ(ui::GetClipboardText(), L"before");
}

TEST_F(LabelReach, AClickFocusesAValueWithoutAMarkUntilTheKeyboardIsUsed) {
    ASSERT_TRUE(side::ShowActive(form_->Hwnd()));
    side::Click(name_->Hwnd(), {10, 8});
    ASSERT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == name_->Hwnd(); }));
    EXPECT_FALSE(name_->ShowsFocusMark());
    // Copying is no reason to show it.
    side::PressKey('C', side::kControl);
    side::PumpFor(50);
    EXPECT_FALSE(name_->ShowsFocusMark());
    side::Click(serialCaption_->Hwnd(), {10, 8});  // a caption takes no focus
    side::PumpFor(50);
    EXPECT_EQ(ui::GetFocus(), name_->Hwnd());

    side::PressKey(ui::VK_TAB);
    ASSERT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == model_->Hwnd(); }));
    EXPECT_TRUE(model_->ShowsFocusMark());
    EXPECT_FALSE(name_->ShowsFocusMark());
    // From now on for the rest of the form's life, a click's focus too.
    side::Click(name_->Hwnd(), {10, 8});
    ASSERT_TRUE(side::PumpUntil([&] { return ui::GetFocus() == name_->Hwnd(); }));
    EXPECT_TRUE(name_->ShowsFocusMark());
    EXPECT_FALSE(plain_->ShowsFocusMark());
}

}  // namespace
