#include "window/controls/SunkenLabel.h"

#include "window/controls/Colors.h"
#include "window/controls/ControlFont.h"
#include "window/form/form.h"
#include "window/ui/accessibility.h"
#include "window/ui/gdi.h"
#include "window/ui/window.h"

namespace controls {

namespace {

constexpr std::intptr_t kInnerId = 1;
constexpr unsigned kAlignmentFormats[] = {
    ui::DT_SINGLELINE | ui::DT_VCENTER | ui::DT_LEFT,
    ui::DT_SINGLELINE | ui::DT_VCENTER | ui::DT_CENTER,
    ui::DT_SINGLELINE | ui::DT_VCENTER | ui::DT_RIGHT,
};

bool ValidAlignment(std::int32_t value) { return value >= SunkenLabel::kAlignLeft && value <= SunkenLabel::kAlignRight; }

}  // namespace

SunkenLabel::SunkenLabel(ui::HWND parent, const form::Bounds& bounds, std::wstring_view name)
    : font_(form::AmbientFont(parent)) {
    window_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, bounds.left, bounds.top,
                                 bounds.width, bounds.height, parent, 0, name);
    CreateInnerWindow();
    fontHandle_ = CreateControlFont(kPlaceholderFont, inner_);
}

SunkenLabel::~SunkenLabel() {
    routing_.Destroy();
    ui::DeleteObject(fontHandle_);
    ui::DestroyWindow(inner_);
    ui::DestroyWindow(window_);
}

// The box draws its text itself; the inner window carries it as its window
// text too, which is what a screen reader reads.
void SunkenLabel::CreateInnerWindow() {
    ui::RECT area;
    ui::GetClientRect(window_, area);
    inner_ = ui::CreateWindowEx(0, ui::WC_STATIC, text_, ui::WS_CHILD | ui::WS_VISIBLE | ui::SS_OWNERDRAW, 0, 0,
                                area.Width(), area.Height(), window_, kInnerId);
}

void SunkenLabel::InitProperties() {
    alignment_ = kAlignLeft;
    backColor_ = kDefaultBackColor;
    enabled_ = true;
    font_ = form::AmbientFont(window_);
    foreColor_ = kDefaultForeColor;
    useMnemonic_ = true;
    ApplyProperties(true);
}

void SunkenLabel::ReadProperties(const PropertyBag& bag) {
    const std::int32_t alignment = bag.ReadLong(L"Alignment", kAlignLeft);
    alignment_ = ValidAlignment(alignment) ? alignment : kAlignLeft;
    backColor_ = static_cast<ui::OLE_COLOR>(bag.ReadLong(L"BackColor", static_cast<std::int32_t>(kDefaultBackColor)));
    foreColor_ = static_cast<ui::OLE_COLOR>(bag.ReadLong(L"ForeColor", static_cast<std::int32_t>(kDefaultForeColor)));
    enabled_ = bag.ReadBool(L"Enabled", true);
    font_ = bag.ReadFont(L"Font", form::AmbientFont(window_));
    text_ = bag.ReadString(L"Text", L"");
    useMnemonic_ = bag.ReadBool(L"UseMnemonic", true);
    ApplyProperties(true);
}

void SunkenLabel::WriteProperties(PropertyBag& bag) const {
    bag.WriteLong(L"Alignment", alignment_, kAlignLeft);
    bag.WriteLong(L"BackColor", static_cast<std::int32_t>(backColor_), static_cast<std::int32_t>(kDefaultBackColor));
    bag.WriteLong(L"ForeColor", static_cast<std::int32_t>(foreColor_), static_cast<std::int32_t>(kDefaultForeColor));
    bag.WriteBool(L"Enabled", enabled_, true);
    bag.WriteFont(L"Font", font_, form::AmbientFont(window_));
    bag.WriteString(L"Text", text_, L"");
    bag.WriteBool(L"UseMnemonic", useMnemonic_, true);
}

void SunkenLabel::Changed(std::wstring_view key) {
    changed_.Mark(key);
    ApplyProperties(false);
}

void SunkenLabel::SetAlignment(std::int32_t alignment) {
    if (!ValidAlignment(alignment)) return;
    alignment_ = alignment;
    Changed(L"Alignment");
}

void SunkenLabel::SetBackColor(ui::OLE_COLOR color) {
    backColor_ = color;
    Changed(L"BackColor");
}

void SunkenLabel::SetForeColor(ui::OLE_COLOR color) {
    foreColor_ = color;
    Changed(L"ForeColor");
}

void SunkenLabel::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Changed(L"Enabled");
}

void SunkenLabel::SetFont(const ui::StdFont& font) {
    font_ = font;
    Changed(L"Font");
}

void SunkenLabel::SetText(std::wstring text) {
    text_ = std::move(text);
    ui::SetWindowText(inner_, text_);
    Changed(L"Text");
}

void SunkenLabel::SetUseMnemonic(bool use) {
    useMnemonic_ = use;
    Changed(L"UseMnemonic");
}

void SunkenLabel::ApplyProperties(bool recreate) {
    ui::EnableWindow(window_, enabled_);
    if (recreate && ui::IsWindow(inner_)) {
        // The new inner window keeps the caption that names the box.
        const ui::HWND label = ui::GetLabelledBy(inner_);
        routing_.Destroy();
        ui::DestroyWindow(inner_);
        CreateInnerWindow();
        ui::SetLabelledBy(inner_, label);
    }
    if (!ui::IsWindow(inner_)) return;
    ui::EnableWindow(inner_, enabled_);
    if (fontHandle_) {
        ui::DeleteObject(fontHandle_);
        fontHandle_ = CreateControlFont(font_, inner_);
    }
    if (recreate) {
        routing_.SetOwnerHwnd(window_);
        routing_.SetWindowProc(kSunkenLabelProcProperty);
        routing_.Clear();
        routing_.Add(kSunkenLabelProperty, reinterpret_cast<ui::HANDLE>(this));
        routing_.Create(&SunkenLabelWindowProc);
        return;
    }
    Refresh();
}

void SunkenLabel::Refresh() { ui::InvalidateRect(inner_, nullptr, true); }

void SunkenLabel::Move(const form::Bounds& bounds) {
    ui::MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, true);
    ui::MoveWindow(inner_, 0, 0, bounds.width, bounds.height, true);
}

// The fill covers the inner ring of the two-pixel sunken edge, so one pixel
// of edge stays visible.
void SunkenLabel::DrawBackground(ui::HDC dc, ui::RECT& rect) const {
    const ui::HBRUSH brush = ui::CreateSolidBrush(static_cast<ui::COLORREF>(Colors::Translate(backColor_)));
    if (!brush) return;
    ui::InflateRect(rect, -1, -1);
    ui::FillRect(dc, rect, brush);
    ui::DeleteObject(brush);
}

void SunkenLabel::DrawCaption(ui::HDC dc, const ui::RECT& rect) const {
    const ui::HFONT previous = ui::SelectObject(dc, fontHandle_);
    ui::SetBkMode(dc, ui::TRANSPARENT);
    ui::SetTextColor(dc, static_cast<ui::COLORREF>(Colors::Translate(foreColor_)));
    ui::RECT area = rect;
    unsigned format = kAlignmentFormats[alignment_];
    if (!useMnemonic_) format |= ui::DT_NOPREFIX;
    ui::DrawText(dc, text_, area, format);
    ui::SelectObject(dc, previous);
}

}  // namespace controls
