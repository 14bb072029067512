#include "window/controls/SystemMenu.h"

#include <algorithm>

#include "window/ui/menu.h"
#include "window/ui/window.h"

namespace controls {

namespace {

std::wstring IndexedKey(std::wstring_view prefix, int index) {
    return std::wstring(prefix) + std::to_wstring(index) + L")";
}

}  // namespace

// --- SystemMenuItem ---

void SystemMenuItem::Changed(std::wstring_view keyPrefix) {
    if (!parent_) return;
    parent_->changed_.Mark(IndexedKey(keyPrefix, index_));
    parent_->UpdateSystemMenuItems(index_);
}

void SystemMenuItem::SetText(std::wstring text) {
    text_ = std::move(text);
    Changed(L"MenuText(");
}

void SystemMenuItem::SetStyle(std::int32_t style) {
    if (style != kStyleDefault && style != kStyleSeparator) return;
    style_ = style;
    Changed(L"MenuStyle(");
}

void SystemMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    Changed(L"MenuChecked(");
}

void SystemMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Changed(L"MenuEnabled(");
}

void SystemMenuItem::SetTag(std::wstring tag) {
    tag_ = std::move(tag);
    Changed(L"MenuTag(");
}

// --- SystemMenu ---

SystemMenu::SystemMenu(ui::HWND form) : form_(form) {}

SystemMenu::~SystemMenu() { routing_.Destroy(); }

void SystemMenu::InitProperties() {
    count_ = 0;
    enabled_ = true;
    items_.clear();
    BringUpToDate();
}

void SystemMenu::ReadProperties(const PropertyBag& bag) {
    preventUpdate_ = true;
    const std::int32_t count = bag.ReadLong(L"Count", 0);
    count_ = static_cast<std::int16_t>(count >= 0 && count <= INT16_MAX ? count : 0);
    enabled_ = bag.ReadBool(L"Enabled", true);
    items_.clear();
    for (int i = 0; i < count_; ++i) {
        auto item = std::make_unique<controls::SystemMenuItem>();
        item->parent_ = this;
        item->index_ = static_cast<std::int16_t>(i);
        item->checked_ = bag.ReadBool(IndexedKey(L"SystemMenuItemChecked(", i), false);
        item->enabled_ = bag.ReadBool(IndexedKey(L"SystemMenuItemEnabled(", i), true);
        const std::int32_t style = bag.ReadLong(IndexedKey(L"SystemMenuItemStyle(", i), 0);
        item->style_ = style == controls::SystemMenuItem::kStyleSeparator ? style : controls::SystemMenuItem::kStyleDefault;
        item->tag_ = bag.ReadString(IndexedKey(L"SystemMenuItemTag(", i), L"");
        item->text_ = bag.ReadString(IndexedKey(L"SystemMenuItemText(", i), L"");
        items_.push_back(std::move(item));
    }
    preventUpdate_ = false;
    BringUpToDate();
}

void SystemMenu::WriteProperties(PropertyBag& bag) const {
    bag.WriteLong(L"Count", count_, 0);
    bag.WriteBool(L"Enabled", enabled_, true);
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const controls::SystemMenuItem& item = *items_[static_cast<std::size_t>(i)];
        bag.WriteBool(IndexedKey(L"SystemMenuItemChecked(", i), item.Checked(), false);
        bag.WriteBool(IndexedKey(L"SystemMenuItemEnabled(", i), item.Enabled(), true);
        bag.WriteLong(IndexedKey(L"SystemMenuItemStyle(", i), item.Style(), 0);
        bag.WriteString(IndexedKey(L"SystemMenuItemTag(", i), item.Tag(), L"");
        bag.WriteString(IndexedKey(L"SystemMenuItemText(", i), item.Text(), L"");
    }
}

void SystemMenu::SetCount(std::int16_t count) {
    if (count < 0) return;
    count_ = count;
    changed_.Mark(L"Count");
    BringUpToDate();
}

void SystemMenu::SetEnabled(bool enabled) {
    enabled_ = enabled;
    changed_.Mark(L"Enabled");
    BringUpToDate();
}

controls::SystemMenuItem* SystemMenu::SystemMenuItem(std::int16_t index) {
    if (index < 0 || index >= count_ || static_cast<std::size_t>(index) >= items_.size()) return nullptr;
    return items_[static_cast<std::size_t>(index)].get();
}

void SystemMenu::BringUpToDate() {
    menu_ = ui::GetSystemMenu(form_, false);
    if (!menu_) return;
    const std::size_t kept = std::min(items_.size(), static_cast<std::size_t>(count_));
    items_.resize(static_cast<std::size_t>(count_));
    for (std::size_t i = kept; i < items_.size(); ++i) {
        items_[i] = std::make_unique<controls::SystemMenuItem>();
        items_[i]->parent_ = this;
        items_[i]->index_ = static_cast<std::int16_t>(i);
    }
    UpdateSystemMenuItems(-1);
}

void SystemMenu::UpdateSystemMenuItems(std::int16_t index) {
    if (!menu_ || preventUpdate_ || !ui::IsWindow(form_)) return;
    if (index >= 0) {
        const controls::SystemMenuItem* item = SystemMenuItem(index);
        if (!item) return;
        ui::MENUITEMINFO info;
        info.fMask = ui::MIIM_STATE | ui::MIIM_ID | ui::MIIM_TYPE;
        const bool separator = item->Style() == controls::SystemMenuItem::kStyleSeparator;
        info.fType = separator ? ui::MFT_SEPARATOR : ui::MFT_STRING;
        info.fState = (item->Checked() ? ui::MFS_CHECKED : 0) | ((item->Enabled() && enabled_) ? 0 : ui::MFS_GRAYED);
        info.wID = static_cast<ui::UINT>(index);
        info.text = item->Text();
        ui::SetMenuItemInfo(menu_, static_cast<ui::UINT>(index), false, info);
        return;
    }
    // Also the identifiers a larger Count appended before, so none is left
    // behind that nothing answers.
    for (int id = std::max<int>(count_, appended_) - 1; id >= 0; --id) {
        ui::DeleteMenu(menu_, static_cast<ui::UINT>(id), ui::MF_BYCOMMAND);
    }
    for (int i = 0; i < count_; ++i) {
        const controls::SystemMenuItem& item = *items_[static_cast<std::size_t>(i)];
        if (item.Style() == controls::SystemMenuItem::kStyleSeparator) {
            ui::AppendMenu(menu_, ui::MF_SEPARATOR, static_cast<ui::UINT>(i), L"");
            continue;
        }
        ui::UINT flags = ui::MF_STRING;
        if (!item.Enabled() || !enabled_) flags |= ui::MF_GRAYED;
        if (item.Checked()) flags |= ui::MF_CHECKED;
        ui::AppendMenu(menu_, flags, static_cast<ui::UINT>(i), item.Text());
    }
    appended_ = count_;
    if (!routing_.Active()) {
        routing_.SetOwnerHwnd(form_);
        routing_.SetWindowProc(kSystemMenuProcProperty);
        routing_.Clear();
        routing_.Add(kSystemMenuProperty, reinterpret_cast<ui::HANDLE>(this));
        routing_.Create(&SystemMenuWindowProc);
    }
}

}  // namespace controls
