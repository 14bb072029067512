// The Win32 side's own cases, beside the toolkit's shared ones
// (tests/window_cases): what crosses to the system itself. A message the
// system delivers climbs the toolkit's procedures; text reaches the system
// in the ANSI code page, properties as the system's; a font is the
// system's; a label is the system's static with its styles; what a screen
// reader is told through the system's accessibility.
// The system's headers, less the names the toolkit's vocabulary declares.
#include "window/win32/ui/system_headers.h"

#include <initguid.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "window/controls/InfoFrame.h"
#include "window/controls/SunkenLabel.h"
#include "window/form/form.h"
#include "window/form/label.h"
#include "window/ui/accessibility.h"
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

// What a screen reader asks of a window: its client object's name, value
// and role.
struct Read {
    std::wstring name;
    std::wstring value;
    long role = 0;
};

Read ReadAccessible(ui::HWND window) {
    Read read;
    IAccessible* accessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(Native(window), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                            reinterpret_cast<void**>(&accessible)))) {
        return read;
    }
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text)) && text) read.name.assign(text, ::SysStringLen(text));
    ::SysFreeString(text);
    text = nullptr;
    if (SUCCEEDED(accessible->get_accValue(self, &text)) && text) read.value.assign(text, ::SysStringLen(text));
    ::SysFreeString(text);
    VARIANT role;
    ::VariantInit(&role);
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) read.role = role.lVal;
    accessible->Release();
    return read;
}

// Whether the system's accessibility reads what its property service is
// given: a name set on a scratch window comes back as its name.
bool AnnotationsAreRead(ui::HWND scratch) {
    IAccPropServices* service = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                  reinterpret_cast<void**>(&service)))) {
        return false;
    }
    const HRESULT set = service->SetHwndPropStr(Native(scratch), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                                PROPID_ACC_NAME, L"Probe");
    const bool read = SUCCEEDED(set) && ReadAccessible(scratch).name == L"Probe";
    service->ClearHwndProps(Native(scratch), static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &PROPID_ACC_NAME, 1);
    service->Release();
    return read;
}

// The system's controls carry their text; the tie gives a value its
// caption as its name (its own text stays its value), and what the program
// draws (the sunken index box, the header) is static text named by its label.
TEST(Win32Accessibility, TheSystemReadsCaptionsAndTheTieNamesValuesAndWhatTheProgramDraws) {
    const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    form::Form form(L"FormVeltrix", 617, 422);
    controls::InfoFrame header(form.Hwnd(), {0, 0, 617, 63}, L"InfoFrameVeltrix");
    header.SetText(L"Veltrix");
    form::Label& caption = form.AddLabel(L"LabelProcessorName", {16, 100, 100, 17}, L"&Naam:");
    form::Label& value = form.AddLabel(L"LabelProcessorNameValue", {120, 100, 200, 17}, L"Intel Core i7");
    form::Label& index = form.AddLabel(L"LabelIndex", {16, 130, 60, 17}, L"Index:");
    controls::SunkenLabel box(form.Hwnd(), {80, 128, 33, 19});
    box.InitProperties();
    box.SetText(L"2");
    EXPECT_TRUE(ui::SetLabelledBy(value.Hwnd(), caption.Hwnd()));
    EXPECT_TRUE(ui::SetLabelledBy(box.ControlHwnd(), index.Hwnd()));

    // The system's statics: their text, "&" read as an access key.
    const Read captionRead = ReadAccessible(caption.Hwnd());
    EXPECT_EQ(captionRead.name, L"Naam:");

    const Read valueRead = ReadAccessible(value.Hwnd());
    const Read boxRead = ReadAccessible(box.ControlHwnd());
    const Read headerRead = ReadAccessible(header.hWnd());
    const ui::HWND scratch = ui::CreateWindowEx(0, ui::WC_STATIC, L"", ui::WS_CHILD, 0, 0, 5, 5, form.Hwnd());
    if (AnnotationsAreRead(scratch)) {
        EXPECT_EQ(captionRead.role, ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(valueRead.name, L"Naam:");
        EXPECT_EQ(valueRead.value, L"Intel Core i7");
        EXPECT_EQ(boxRead.name, L"Index:");
        EXPECT_EQ(boxRead.value, L"2");
        EXPECT_EQ(boxRead.role, ROLE_SYSTEM_STATICTEXT);
        EXPECT_EQ(headerRead.name, L"Veltrix");
        EXPECT_EQ(headerRead.role, ROLE_SYSTEM_STATICTEXT);
        // A caption changed afterwards is read as it is now.
        caption.SetCaption(L"&Model:");
        EXPECT_EQ(ReadAccessible(value.Hwnd()).name, L"Model:");
    } else {
        // The system reads no annotations (Wine's oleacc makes the service
        // but its calls change nothing): what it reads are the window
        // texts, the value's own text and the box's number.
        std::printf("note: the system's accessibility reads no annotations; it reads the window texts: "
                    "caption \"%ls\" (role %ld), value \"%ls\" (role %ld), index box \"%ls\" (role %ld), "
                    "header \"%ls\" (role %ld)\n",
                    captionRead.name.c_str(), captionRead.role, valueRead.name.c_str(), valueRead.role,
                    boxRead.name.c_str(), boxRead.role, headerRead.name.c_str(), headerRead.role);
        EXPECT_EQ(valueRead.name, L"Intel Core i7");
        EXPECT_EQ(boxRead.name, L"2");
    }
    if (com) ::CoUninitialize();
}

}  // namespace
