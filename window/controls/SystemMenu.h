#pragma once
// Appends the program's own commands to its form's window menu, below the
// system's entries, and raises ItemClick when one is picked. Each item's
// index is its command identifier, so the system's own commands (restore,
// minimise, maximise, close) keep working.
//
//   controls::SystemMenu menu(form.Hwnd());
//   menu.ReadProperties(storedForm.Bag(L"SystemMenuVeltrix"));
//   menu.ItemClick.Connect([&](controls::SystemMenuItem& item) { ... item.Index() ... });

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/controls/PropertyBag.h"
#include "window/controls/Subclassing.h"
#include "window/controls/WindowProcedures.h"
#include "window/ui/event.h"
#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;

class SystemMenu;

class SystemMenuItem {
public:
    static constexpr std::int32_t kStyleDefault = 0;    // a command
    static constexpr std::int32_t kStyleSeparator = 1;  // a separator line

    SystemMenu* Parent() const { return parent_; }
    // Position in the control and command identifier.
    std::int16_t Index() const { return index_; }
    const std::wstring& Text() const { return text_; }  // "&" marks the access key
    void SetText(std::wstring text);
    std::int32_t Style() const { return style_; }
    void SetStyle(std::int32_t style);  // other values are refused
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag);

private:
    friend class SystemMenu;
    void Changed(std::wstring_view keyPrefix);

    SystemMenu* parent_ = nullptr;
    std::int16_t index_ = 0;
    std::wstring text_;
    std::int32_t style_ = kStyleDefault;
    bool checked_ = false;
    bool enabled_ = true;
    std::wstring tag_;
};

class SystemMenu {
public:
    // `form` is the window whose menu gets the entries.
    explicit SystemMenu(ui::HWND form);
    ~SystemMenu();
    SystemMenu(const SystemMenu&) = delete;
    SystemMenu& operator=(const SystemMenu&) = delete;

    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    bool IsPropertyChanged(std::wstring_view key) const { return changed_.Contains(key); }

    std::int16_t Count() const { return count_; }
    void SetCount(std::int16_t count);  // a negative count is ignored
    // False greys every item of this control (not the system's).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // While true, item changes are kept but the menu is not rewritten.
    bool PreventUpdate() const { return preventUpdate_; }
    void SetPreventUpdate(bool prevent) { preventUpdate_ = prevent; }

    // Item `index` when 0 <= index < Count, else null.
    controls::SystemMenuItem* SystemMenuItem(std::int16_t index);
    // Rewrites the control's part of the menu (-1) or one item.
    void UpdateSystemMenuItems(std::int16_t index);

    ui::Event<controls::SystemMenuItem&> ItemClick;

private:
    friend class controls::SystemMenuItem;
    friend ui::LRESULT SystemMenuWindowProc(ui::HWND, ui::UINT, ui::WPARAM, ui::LPARAM);

    void BringUpToDate();

    ui::HWND form_;
    ui::HMENU menu_ = nullptr;
    std::int16_t count_ = 0;
    bool enabled_ = true;
    bool preventUpdate_ = false;
    // Identifiers appended last time, so a smaller Count takes the rest out.
    int appended_ = 0;
    std::vector<std::unique_ptr<controls::SystemMenuItem>> items_;
    ChangedProperties changed_;
    Subclassing routing_;
};

}  // namespace controls
