#include "window/controls/TabControl.h"

#include <algorithm>

#include "window/controls/ControlFont.h"
#include "window/ui/gdi.h"
#include "window/ui/tab_strip.h"
#include "window/ui/tooltip.h"
#include "window/ui/window.h"

namespace controls {

namespace {

constexpr std::intptr_t kTabStripId = 1;
constexpr std::uint32_t kTabStripWindowStyle = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_TABSTOP;
// Every style bit a setting of this control decides.
constexpr std::uint32_t kSettingBits = ui::TCS_BOTTOM | ui::TCS_FLATBUTTONS | ui::TCS_HOTTRACK | ui::TCS_VERTICAL |
                                       ui::TCS_BUTTONS | ui::TCS_MULTILINE | ui::TCS_FIXEDWIDTH;
constexpr std::int16_t kDefaultFixedHeight = 16;
constexpr std::int16_t kDefaultFixedWidth = 32;

std::wstring IndexedKey(std::wstring_view prefix, int index) {
    return std::wstring(prefix) + std::to_wstring(index) + L")";
}

constexpr std::wstring_view kTabTagKey = L"TabTag(";
constexpr std::wstring_view kTabTextKey = L"TabText(";
constexpr std::wstring_view kTabToolTipKey = L"TabToolTipText(";

bool ValidPlacement(std::int32_t value) { return value >= TabControl::kPlacementTop && value <= TabControl::kPlacementRight; }
bool ValidStyle(std::int32_t value) { return value >= TabControl::kStyleTabs && value <= TabControl::kStyleFlatButtons; }
bool ValidTabStyle(std::int32_t value) { return value == TabControl::kTabStyleStandard || value == TabControl::kTabStyleOpposite; }
bool ValidWidthStyle(std::int32_t value) { return value >= 0 && value <= TabControl::kTabWidthFixed; }

ui::TOOLINFO ToolFor(ui::HWND strip, int index, const std::wstring& text) {
    ui::TOOLINFO tool;
    tool.flags = ui::TTF_SUBCLASS;
    tool.hwnd = strip;
    tool.uId = static_cast<std::uintptr_t>(index);
    ui::SendMessage(strip, ui::TCM_GETITEMRECT, static_cast<ui::WPARAM>(index), reinterpret_cast<ui::LPARAM>(&tool.rect));
    tool.text = text;
    return tool;
}

}  // namespace

// --- Tab2 ---

void Tab2::SetIndex(std::int16_t index) {
    if (index >= 0) index_ = index;
}

void Tab2::Changed(std::wstring_view keyPrefix) {
    if (!parent_) return;
    parent_->MarkChanged(IndexedKey(keyPrefix, index_));
    parent_->UpdateTabs(index_);
}

void Tab2::SetTag(std::wstring tag) {
    tag_ = std::move(tag);
    Changed(kTabTagKey);
}

void Tab2::SetText(std::wstring text) {
    text_ = std::move(text);
    Changed(kTabTextKey);
}

void Tab2::SetToolTipText(std::wstring text) {
    toolTipText_ = std::move(text);
    Changed(kTabToolTipKey);
}

// --- TabControl ---

TabControl::TabControl(ui::HWND parent, const form::Bounds& bounds, std::wstring_view name)
    : name_(name), font_(kDefaultControlFont) {
    window_ = ui::CreateWindowEx(0, ui::kUserControlClass, L"", ui::WS_CHILD | ui::WS_VISIBLE, bounds.left, bounds.top,
                                 bounds.width, bounds.height, parent, 0, name);
    CreateTabStripWindow();
    fontHandle_ = CreateControlFont(kPlaceholderFont, tabWindow_);
    CreateToolTipWindow();
    tabs_.resize(1);
}

TabControl::~TabControl() {
    translator_.Destroy();
    outerRouting_.Destroy();
    innerRouting_.Destroy();
    ui::DestroyWindow(toolTipWindow_);
    ui::DeleteObject(fontHandle_);
    ui::DestroyWindow(tabWindow_);
    ui::DestroyWindow(window_);
}

void TabControl::CreateTabStripWindow() {
    ui::RECT area;
    ui::GetClientRect(window_, area);
    const std::uint32_t style = kTabStripWindowStyle | (tabStyle_ == kTabStyleOpposite ? ui::TCS_SCROLLOPPOSITE : 0);
    tabWindow_ = ui::CreateWindowEx(0, ui::WC_TABCONTROL, L"", style, 0, 0, area.Width(), area.Height(), window_,
                                    kTabStripId, name_.empty() ? std::wstring() : name_ + L".Tabs");
}

void TabControl::CreateToolTipWindow() {
    toolTipWindow_ = ui::CreateWindowEx(ui::WS_EX_TOPMOST, ui::TOOLTIPS_CLASS, L"", ui::TTS_ALWAYSTIP | ui::TTS_NOPREFIX,
                                        ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, ui::CW_USEDEFAULT, nullptr);
}

void TabControl::InitProperties() {
    count_ = 0;
    enabled_ = true;
    font_ = kDefaultControlFont;
    hotTracking_ = false;
    multiRow_ = false;
    placement_ = kPlacementTop;
    separators_ = true;
    showTips_ = true;
    style_ = kStyleTabs;
    tabFixedHeight_ = kDefaultFixedHeight;
    tabFixedWidth_ = kDefaultFixedWidth;
    tabStyle_ = kTabStyleStandard;
    tabWidthStyle_ = 0;
    ApplyProperties(true);
}

void TabControl::ReadProperties(const PropertyBag& bag) {
    const std::int32_t count = bag.ReadLong(L"Count", 0);
    count_ = static_cast<std::int16_t>(count >= 0 && count <= INT16_MAX ? count : 0);
    enabled_ = bag.ReadBool(L"Enabled", true);
    font_ = bag.ReadFont(L"Font", kDefaultControlFont);
    hotTracking_ = bag.ReadBool(L"HotTracking", false);
    multiRow_ = bag.ReadBool(L"MultiRow", false);
    const std::int32_t placement = bag.ReadLong(L"Placement", kPlacementTop);
    placement_ = ValidPlacement(placement) ? placement : kPlacementTop;
    separators_ = bag.ReadBool(L"Separators", true);
    showTips_ = bag.ReadBool(L"ShowTips", true);
    const std::int32_t style = bag.ReadLong(L"Style", kStyleTabs);
    style_ = ValidStyle(style) ? style : kStyleTabs;
    const std::int32_t height = bag.ReadLong(L"TabFixedHeight", kDefaultFixedHeight);
    tabFixedHeight_ = static_cast<std::int16_t>(height >= 1 && height <= INT16_MAX ? height : kDefaultFixedHeight);
    const std::int32_t width = bag.ReadLong(L"TabFixedWidth", kDefaultFixedWidth);
    tabFixedWidth_ = static_cast<std::int16_t>(width >= 1 && width <= INT16_MAX ? width : kDefaultFixedWidth);
    const std::int32_t tabStyle = bag.ReadLong(L"TabStyle", kTabStyleStandard);
    tabStyle_ = ValidTabStyle(tabStyle) ? tabStyle : kTabStyleStandard;
    const std::int32_t widthStyle = bag.ReadLong(L"TabWidthStyle", 0);
    tabWidthStyle_ = ValidWidthStyle(widthStyle) ? widthStyle : 0;

    preventUpdate_ = true;
    tabs_.clear();
    tabs_.resize(static_cast<std::size_t>(count_) + 1);
    for (int i = 0; i < count_; ++i) {
        auto tab = std::make_unique<controls::Tab2>();
        tab->SetParent(this);
        tab->SetIndex(static_cast<std::int16_t>(i));
        tab->tag_ = bag.ReadString(IndexedKey(kTabTagKey, i), L"");
        tab->text_ = bag.ReadString(IndexedKey(kTabTextKey, i), L"");
        tab->toolTipText_ = bag.ReadString(IndexedKey(kTabToolTipKey, i), L"");
        tabs_[static_cast<std::size_t>(i)] = std::move(tab);
    }
    preventUpdate_ = false;
    ApplyProperties(true);
}

void TabControl::WriteProperties(PropertyBag& bag) const {
    bag.WriteLong(L"Count", count_, 0);
    bag.WriteBool(L"Enabled", enabled_, true);
    bag.WriteFont(L"Font", font_, kDefaultControlFont);
    bag.WriteBool(L"HotTracking", hotTracking_, false);
    bag.WriteBool(L"MultiRow", multiRow_, false);
    bag.WriteLong(L"Placement", placement_, kPlacementTop);
    bag.WriteBool(L"Separators", separators_, true);
    bag.WriteBool(L"ShowTips", showTips_, true);
    bag.WriteLong(L"Style", style_, kStyleTabs);
    bag.WriteLong(L"TabFixedHeight", tabFixedHeight_, kDefaultFixedHeight);
    bag.WriteLong(L"TabFixedWidth", tabFixedWidth_, kDefaultFixedWidth);
    bag.WriteLong(L"TabStyle", tabStyle_, kTabStyleStandard);
    bag.WriteLong(L"TabWidthStyle", tabWidthStyle_, 0);
    for (int i = 0; i < count_; ++i) {
        const controls::Tab2* tab = tabs_[static_cast<std::size_t>(i)].get();
        bag.WriteString(IndexedKey(kTabTagKey, i), tab ? tab->Tag() : std::wstring(), L"");
        bag.WriteString(IndexedKey(kTabTextKey, i), tab ? tab->Text() : std::wstring(), L"");
        bag.WriteString(IndexedKey(kTabToolTipKey, i), tab ? tab->ToolTipText() : std::wstring(), L"");
    }
}

void TabControl::SetCount(std::int16_t count) {
    if (count < 0) return;
    count_ = count;
    MarkChanged(L"Count");
    ApplyProperties(true);
}

void TabControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    MarkChanged(L"Enabled");
    ApplyProperties(false);
}

void TabControl::SetFont(const ui::StdFont& font) {
    font_ = font;
    MarkChanged(L"Font");
    ApplyProperties(false);
}

void TabControl::SetHotTracking(bool hotTracking) {
    hotTracking_ = hotTracking;
    MarkChanged(L"HotTracking");
    ApplyProperties(false);
}

void TabControl::SetMultiRow(bool multiRow) {
    multiRow_ = multiRow;
    MarkChanged(L"MultiRow");
    ApplyProperties(false);
}

void TabControl::SetPlacement(std::int32_t placement) {
    if (!ValidPlacement(placement)) return;
    placement_ = placement;
    MarkChanged(L"Placement");
    ApplyProperties(false);
}

void TabControl::SetSeparators(bool separators) {
    separators_ = separators;
    MarkChanged(L"Separators");
    ApplyProperties(false);
}

void TabControl::SetShowTips(bool showTips) {
    showTips_ = showTips;
    MarkChanged(L"ShowTips");
    ApplyProperties(false);
}

void TabControl::SetStyle(std::int32_t style) {
    if (!ValidStyle(style)) return;
    style_ = style;
    MarkChanged(L"Style");
    ApplyProperties(false);
}

void TabControl::SetTabFixedHeight(std::int16_t pixels) {
    if (pixels < 1) return;
    tabFixedHeight_ = pixels;
    MarkChanged(L"TabFixedHeight");
    ApplyProperties(false);
}

void TabControl::SetTabFixedWidth(std::int16_t pixels) {
    if (pixels < 1) return;
    tabFixedWidth_ = pixels;
    MarkChanged(L"TabFixedWidth");
    ApplyProperties(false);
}

void TabControl::SetTabStyle(std::int32_t tabStyle) {
    if (!ValidTabStyle(tabStyle)) return;
    tabStyle_ = tabStyle;
    MarkChanged(L"TabStyle");
    ApplyProperties(true);
}

void TabControl::SetTabWidthStyle(std::int32_t widthStyle) {
    if (!ValidWidthStyle(widthStyle)) return;
    tabWidthStyle_ = widthStyle;
    MarkChanged(L"TabWidthStyle");
    ApplyProperties(false);
}

void TabControl::ApplyProperties(bool rebuild) {
    ui::EnableWindow(window_, enabled_);
    if (rebuild && ui::IsWindow(tabWindow_)) {
        outerRouting_.Destroy();
        innerRouting_.Destroy();
        if (ui::IsWindow(toolTipWindow_)) {
            ui::DestroyWindow(toolTipWindow_);
            CreateToolTipWindow();
        }
        ui::DestroyWindow(tabWindow_);
        CreateTabStripWindow();
    }
    if (ui::IsWindow(tabWindow_)) {
        auto style = static_cast<std::uint32_t>(ui::GetWindowLongPtr(tabWindow_, ui::GWL_STYLE)) & ~kSettingBits;
        if (hotTracking_) style |= ui::TCS_HOTTRACK;
        if (multiRow_) style |= ui::TCS_MULTILINE;
        if (placement_ == kPlacementBottom) style |= ui::TCS_BOTTOM;
        else if (placement_ == kPlacementLeft) style |= ui::TCS_VERTICAL;
        else if (placement_ == kPlacementRight) style |= ui::TCS_VERTICAL | ui::TCS_RIGHT;
        if (style_ == kStyleButtons) style |= ui::TCS_BUTTONS;
        else if (style_ == kStyleFlatButtons) style |= ui::TCS_BUTTONS | ui::TCS_FLATBUTTONS;
        if (tabWidthStyle_ == kTabWidthFixed) {
            ui::SendMessage(tabWindow_, ui::TCM_SETITEMSIZE, 0, ui::MAKELPARAM(tabFixedWidth_, tabFixedHeight_));
            style |= ui::TCS_FIXEDWIDTH;
        }
        ui::SetWindowLongPtr(tabWindow_, ui::GWL_STYLE, static_cast<std::intptr_t>(style));
        ui::EnableWindow(tabWindow_, enabled_);

        ui::DeleteObject(fontHandle_);
        fontHandle_ = CreateControlFont(font_, tabWindow_);
        ui::SendMessage(tabWindow_, ui::WM_SETFONT, reinterpret_cast<ui::WPARAM>(fontHandle_), 1);
        ui::SendMessage(tabWindow_, ui::TCM_SETEXTENDEDSTYLE, ui::TCS_EX_FLATSEPARATORS,
                        separators_ ? static_cast<ui::LPARAM>(-1) : 0);
    }
    ui::SendMessage(toolTipWindow_, ui::TTM_ACTIVATE, showTips_ ? 1 : 0, 0);
    ResizeTabList();
    if (rebuild) UpdateTabs(-1);
}

// Count + 1 slots, keeping the tabs that stay; the new ones start empty.
void TabControl::ResizeTabList() {
    const int previousUpper = tabs_.empty() ? 0 : static_cast<int>(tabs_.size()) - 1;
    tabs_.resize(static_cast<std::size_t>(count_) + 1);
    for (int i = previousUpper; i < count_; ++i) {
        auto& slot = tabs_[static_cast<std::size_t>(i)];
        if (!slot) slot = std::make_unique<controls::Tab2>();
        slot->SetParent(this);
        slot->SetIndex(static_cast<std::int16_t>(i));
        slot->SetText(L"");
        slot->SetTag(L"");
        slot->SetToolTipText(L"");
    }
}

void TabControl::UpdateTabs(std::int16_t index) {
    if (!ui::IsWindow(tabWindow_) || preventUpdate_) return;
    if (index >= 0) {
        if (controls::Tab2* tab = Tab2(index)) {
            ui::TCITEM item;
            item.mask = ui::TCIF_TEXT;
            item.text = tab->Text();
            ui::SendMessage(tabWindow_, ui::TCM_SETITEM, static_cast<ui::WPARAM>(index), reinterpret_cast<ui::LPARAM>(&item));
        }
        UpdateToolTips();
        return;
    }
    for (int i = count_ - 1; i >= 0; --i) ui::SendMessage(tabWindow_, ui::TCM_DELETEITEM, static_cast<ui::WPARAM>(i), 0);
    for (int i = 0; i < count_; ++i) {
        ui::TCITEM item;
        item.mask = ui::TCIF_TEXT;
        item.text = Tab2(static_cast<std::int16_t>(i))->Text();
        ui::SendMessage(tabWindow_, ui::TCM_INSERTITEM, static_cast<ui::WPARAM>(i), reinterpret_cast<ui::LPARAM>(&item));
    }
    for (int i = count_ - 1; i >= 0; --i) {
        ui::TOOLINFO tool;
        tool.hwnd = tabWindow_;
        tool.uId = static_cast<std::uintptr_t>(i);
        ui::SendMessage(toolTipWindow_, ui::TTM_DELTOOL, 0, reinterpret_cast<ui::LPARAM>(&tool));
    }
    for (int i = 0; i < count_; ++i) {
        const ui::TOOLINFO tool = ToolFor(tabWindow_, i, Tab2(static_cast<std::int16_t>(i))->ToolTipText());
        ui::SendMessage(toolTipWindow_, ui::TTM_ADDTOOL, 0, reinterpret_cast<ui::LPARAM>(&tool));
    }
    translator_.SetControl(this);
    translator_.SetHandleSpecialKeys(true);
    translator_.SetTranslateSpecialKeys(false);
    translator_.Create(&TranslateTabKeys);
    for (Subclassing* routing : {&outerRouting_, &innerRouting_}) {
        routing->SetOwnerHwnd(routing == &outerRouting_ ? window_ : tabWindow_);
        routing->SetWindowProc(kTabControlProcProperty);
        routing->Clear();
        routing->Add(kTabControlProperty, reinterpret_cast<ui::HANDLE>(this));
        routing->Create(&TabControlWindowProc);
    }
}

// The tools follow the tabs, which move when rows turn round or texts change.
void TabControl::UpdateToolTips() {
    if (!ui::IsWindow(toolTipWindow_)) return;
    for (int i = 0; i < count_; ++i) {
        const ui::TOOLINFO tool = ToolFor(tabWindow_, i, Tab2(static_cast<std::int16_t>(i))->ToolTipText());
        ui::SendMessage(toolTipWindow_, ui::TTM_SETTOOLINFO, 0, reinterpret_cast<ui::LPARAM>(&tool));
    }
}

controls::Tab2* TabControl::Tab2(std::int16_t index) {
    if (index < 0 || index >= count_ || static_cast<std::size_t>(index) >= tabs_.size()) return nullptr;
    auto& slot = tabs_[static_cast<std::size_t>(index)];
    if (!slot) {
        slot = std::make_unique<controls::Tab2>();
        slot->SetParent(this);
        slot->SetIndex(index);
    }
    return slot.get();
}

controls::Tab2* TabControl::SelectedTab() {
    const auto selected = ui::SendMessage(tabWindow_, ui::TCM_GETCURSEL, 0, 0);
    if (selected < 0) return nullptr;
    return Tab2(static_cast<std::int16_t>(selected));
}

controls::Tab2* TabControl::HitTest(std::int16_t x, std::int16_t y) {
    if (!ui::IsWindow(tabWindow_)) return nullptr;
    ui::TCHITTESTINFO info;
    info.pt = {x, y};
    const auto index = ui::SendMessage(tabWindow_, ui::TCM_HITTEST, 0, reinterpret_cast<ui::LPARAM>(&info));
    return index >= 0 ? Tab2(static_cast<std::int16_t>(index)) : nullptr;
}

void TabControl::Refresh() { ui::InvalidateRect(tabWindow_, nullptr, true); }

void TabControl::Move(const form::Bounds& bounds) {
    ui::MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, true);
    ui::MoveWindow(tabWindow_, 0, 0, bounds.width, bounds.height, true);
    UpdateToolTips();
}

}  // namespace controls
