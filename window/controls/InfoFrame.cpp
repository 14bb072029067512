#include "window/controls/InfoFrame.h"

#include "window/controls/Colors.h"
#include "window/ui/accessibility.h"
#include "window/ui/menu.h"
#include "window/ui/window.h"

namespace controls {

namespace {

// The fixed layout, in the header's own pixels.
constexpr form::Bounds kIconBounds{12, 14, 32, 32};
constexpr int kTextLeft = 56;
constexpr int kTextTop = 21;
constexpr int kTextHeight = 21;
constexpr int kTextRightMargin = 71;  // the text stops this far from the right edge
constexpr int kUpperLineY = 61;
constexpr int kLowerLineY = 62;
constexpr ui::OLE_COLOR kUpperLineColor = 0x808080;
constexpr ui::OLE_COLOR kLowerLineColor = 0xFFFFFF;
const ui::StdFont kTextFont{L"Verdana", 9.75, true};
// Window managers keep Alt+Space for their own menu, so the icon says how
// else the program's window menu (save, About) opens.
// The icon's name for a screen reader: what it opens.
constexpr const wchar_t* kIconName = L"Venstermenu";
constexpr const wchar_t* kIconToolTip =
    L"Venstermenu: klik hier, klik rechts op de kop, of druk op Shift+F10 of de Menu-toets";

}  // namespace

InfoFrame::InfoFrame(ui::HWND parent, const form::Bounds& bounds, std::wstring_view name) {
    window_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, bounds.left, bounds.top,
                                 bounds.width, kHeight, parent, 0, name);
    const std::wstring prefix = name.empty() ? std::wstring() : std::wstring(name) + L".";
    imageIcon_ = std::make_unique<form::Image>(window_, prefix + L"ImageIcon", kIconBounds);
    labelText_ = std::make_unique<form::Label>(window_, prefix + L"LabelText",
                                               form::Bounds{kTextLeft, kTextTop, bounds.width - kTextRightMargin, kTextHeight});
    labelText_->SetBackStyle(form::BackStyle::Transparent);
    labelText_->SetFont(kTextFont);
    lineUpper_ = std::make_unique<form::Line>(window_, prefix + L"LineUpper", 0, kUpperLineY, bounds.width, kUpperLineY);
    lineUpper_->SetBorderColor(kUpperLineColor);
    lineLower_ = std::make_unique<form::Line>(window_, prefix + L"LineLower", 0, kLowerLineY, bounds.width, kLowerLineY);
    lineLower_->SetBorderColor(kLowerLineColor);

    imageIcon_->Click.Connect([this] {
        // The handler may destroy the header; the menu opens only if it is still there.
        const ui::HWND window = window_;
        Click.Raise();
        if (ui::IsWindow(window)) ui::ShowWindowMenu(window, ui::POINT{kIconBounds.left, kIconBounds.top + kIconBounds.height});
    });
    imageIcon_->DblClick.Connect([this] { DblClick.Raise(); });
    imageIcon_->SetToolTipText(kIconToolTip);
    ui::SetWindowText(imageIcon_->Hwnd(), kIconName);
    // The header is named by its text.
    ui::SetLabelledBy(window_, labelText_->Hwnd());
    labelText_->Click.Connect([this] { Click.Raise(); });
    labelText_->DblClick.Connect([this] { DblClick.Raise(); });

    routing_.SetOwnerHwnd(window_);
    routing_.SetWindowProc(kInfoFrameProcProperty);
    routing_.Add(kInfoFrameProperty, reinterpret_cast<ui::HANDLE>(this));
    routing_.Create(&InfoFrameWindowProc);
    FitToContainer();
    ApplyProperties();
}

InfoFrame::~InfoFrame() {
    routing_.Destroy();
    imageIcon_.reset();
    labelText_.reset();
    lineUpper_.reset();
    lineLower_.reset();
    ui::DestroyWindow(window_);
}

void InfoFrame::InitProperties() {
    backColor_ = kDefaultColor;
    gradientColor_ = kDefaultColor;
    foreColor_ = 0;
    enabled_ = true;
    icon_ = ui::Picture();
    ApplyProperties();
}

void InfoFrame::ReadProperties(const PropertyBag& bag) {
    backColor_ = static_cast<ui::COLORREF>(bag.ReadLong(L"BackColor", static_cast<std::int32_t>(kDefaultColor)));
    gradientColor_ = static_cast<ui::COLORREF>(bag.ReadLong(L"GradientColor", static_cast<std::int32_t>(kDefaultColor)));
    foreColor_ = static_cast<ui::OLE_COLOR>(bag.ReadLong(L"ForeColor", 0));
    enabled_ = bag.ReadBool(L"Enabled", true);
    const std::wstring icon = bag.ReadString(L"Icon", L"");
    icon_ = icon.empty() ? ui::Picture() : ui::Picture::Load(std::string(icon.begin(), icon.end()));
    text_ = bag.ReadString(L"Text", L"");
    ApplyProperties();
}

void InfoFrame::WriteProperties(PropertyBag& bag) const {
    bag.WriteLong(L"BackColor", static_cast<std::int32_t>(backColor_), static_cast<std::int32_t>(kDefaultColor));
    bag.WriteLong(L"GradientColor", static_cast<std::int32_t>(gradientColor_), static_cast<std::int32_t>(kDefaultColor));
    bag.WriteLong(L"ForeColor", static_cast<std::int32_t>(foreColor_), 0);
    bag.WriteBool(L"Enabled", enabled_, true);
    const std::string& source = icon_.Source();
    bag.WriteString(L"Icon", std::wstring(source.begin(), source.end()), L"");
    bag.WriteString(L"Text", text_, L"");
}

void InfoFrame::Changed(std::wstring_view key) {
    changed_.Mark(key);
    ApplyProperties();
}

void InfoFrame::SetBackColor(ui::COLORREF color) {
    backColor_ = color;
    Changed(L"BackColor");
}

void InfoFrame::SetGradientColor(ui::COLORREF color) {
    gradientColor_ = color;
    Changed(L"GradientColor");
}

void InfoFrame::SetForeColor(ui::OLE_COLOR color) {
    foreColor_ = color;
    Changed(L"ForeColor");
}

void InfoFrame::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Changed(L"Enabled");
}

void InfoFrame::SetIcon(const ui::Picture& icon) {
    icon_ = icon;
    Changed(L"Icon");
}

void InfoFrame::SetText(std::wstring text) {
    text_ = std::move(text);
    Changed(L"Text");
}

void InfoFrame::ApplyProperties() {
    ui::SetWindowBackgroundColor(window_, backColor_);
    ui::EnableWindow(window_, enabled_);
    ui::InvalidateRect(window_, nullptr, true);
    imageIcon_->SetEnabled(enabled_);
    imageIcon_->SetPicture(icon_);
    labelText_->SetCaption(text_);
    labelText_->SetEnabled(enabled_);
    labelText_->SetForeColor(foreColor_);
}

void InfoFrame::ShowMenuAt(int x, int y) const { ui::ShowWindowMenu(window_, ui::POINT{x, y}); }

void InfoFrame::Refresh() {
    imageIcon_->Refresh();
    labelText_->Refresh();
    lineUpper_->Refresh();
    lineLower_->Refresh();
}

void InfoFrame::Move(int left, int top) {
    ui::RECT place;
    ui::GetWindowRect(window_, place);
    ui::MoveWindow(window_, left, top, place.Width(), kHeight, true);
    FitToContainer();
}

// Always 63 pixels high and as wide as the container; the text and the lines
// follow the width.
void InfoFrame::FitToContainer() {
    if (fitting_) return;
    fitting_ = true;
    ui::RECT place;
    ui::RECT container;
    ui::GetWindowRect(window_, place);
    if (ui::GetClientRect(ui::GetParent(window_), container)) {
        ui::MoveWindow(window_, place.left, place.top, container.Width(), kHeight, true);
    }
    ui::RECT client;
    ui::GetClientRect(window_, client);
    const int width = client.Width();
    labelText_->SetWidth(width - kTextRightMargin);
    lineUpper_->SetPoints(0, kUpperLineY, width, kUpperLineY);
    lineLower_->SetPoints(0, kLowerLineY, width, kLowerLineY);
    fitting_ = false;
}

void InfoFrame::PaintGradient() const {
    if (backColor_ == gradientColor_) return;
    Gradient gradient;
    gradient.SetOwnerHwnd(window_);
    gradient.SetUpDown(false);
    gradient.Show(static_cast<std::int16_t>(ui::GetRValue(backColor_)), static_cast<std::int16_t>(ui::GetGValue(backColor_)),
                  static_cast<std::int16_t>(ui::GetBValue(backColor_)), static_cast<std::int16_t>(ui::GetRValue(gradientColor_)),
                  static_cast<std::int16_t>(ui::GetGValue(gradientColor_)),
                  static_cast<std::int16_t>(ui::GetBValue(gradientColor_)));
}

}  // namespace controls
