#pragma once
// The program's tab strip: a control that hosts a tab-strip window and a
// tooltip window, keeps one Tab2 per tab, stores its settings in a
// PropertyBag and raises BeforeClick, Click and KeyDown.
//
//   controls::TabControl tabs(form.Hwnd(), form::Twips(120, 1080, 9015, 5145), L"TabControlVeltrix");
//   tabs.ReadProperties(storedForm.Bag(L"TabControlVeltrix"));   // Count 15, MultiRow, TabText(i)
//   tabs.Click.Connect([&] { ShowPage(tabs.SelectedTab()->Index()); });
//   tabs.Tab2(1)->SetText(L"Geheugengebruik");
//
// A click on another tab raises BeforeClick (whose handler may cancel), then
// the selection changes, then Click; a click on the selected tab, or a right
// click anywhere on a tab (which leaves the selection), raises Click alone.
// An arrow key raises KeyDown, BeforeClick, then Click.
//
// A setter ignores a value out of range; otherwise it stores it, marks its
// key as changed and applies the settings at once (Count and TabStyle build
// the tab-strip window anew).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/controls/PropertyBag.h"
#include "window/controls/Subclassing.h"
#include "window/controls/TranslateMessage.h"
#include "window/controls/WindowProcedures.h"
#include "window/form/bounds.h"
#include "window/ui/event.h"
#include "window/ui/stdfont.h"
#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;
namespace form = window::form;

class TabControl;

// One tab.
class Tab2 {
public:
    TabControl* Parent() const { return parent_; }
    // Position 0 .. Count - 1, set by the tab strip.
    std::int16_t Index() const { return index_; }
    const std::wstring& Tag() const { return tag_; }
    void SetTag(std::wstring tag);
    const std::wstring& Text() const { return text_; }
    void SetText(std::wstring text);
    const std::wstring& ToolTipText() const { return toolTipText_; }
    void SetToolTipText(std::wstring text);

private:
    friend class TabControl;
    void SetParent(TabControl* parent) { parent_ = parent; }
    void SetIndex(std::int16_t index);
    void Changed(std::wstring_view keyPrefix);

    TabControl* parent_ = nullptr;
    std::int16_t index_ = 0;
    std::wstring tag_;
    std::wstring text_;
    std::wstring toolTipText_;
};

class TabControl : public TranslatedControl {
public:
    static constexpr std::int32_t kPlacementTop = 0;
    static constexpr std::int32_t kPlacementBottom = 1;
    static constexpr std::int32_t kPlacementLeft = 2;
    static constexpr std::int32_t kPlacementRight = 3;
    static constexpr std::int32_t kStyleTabs = 0;
    static constexpr std::int32_t kStyleButtons = 1;
    static constexpr std::int32_t kStyleFlatButtons = 2;
    static constexpr std::int32_t kTabStyleStandard = 0;
    static constexpr std::int32_t kTabStyleOpposite = 1;
    static constexpr std::int32_t kTabWidthFixed = 2;

    // Makes the control's window in `parent`, the tab-strip window filling it,
    // the default font and the tooltip window. Until InitProperties or
    // ReadProperties the strip has no tabs.
    TabControl(ui::HWND parent, const form::Bounds& bounds, std::wstring_view name = {});
    ~TabControl() override;
    TabControl(const TabControl&) = delete;
    TabControl& operator=(const TabControl&) = delete;

    // A control placed on a form for the first time: every setting at its default.
    void InitProperties();
    // Stored settings; an invalid stored value reads as the default.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    bool IsPropertyChanged(std::wstring_view key) const { return changed_.Contains(key); }
    const ChangedProperties& Changed() const { return changed_; }

    std::int16_t Count() const { return count_; }
    void SetCount(std::int16_t count);  // 0 .. 32767
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const ui::StdFont& Font() const { return font_; }
    void SetFont(const ui::StdFont& font);
    bool HotTracking() const { return hotTracking_; }
    void SetHotTracking(bool hotTracking);
    bool MultiRow() const { return multiRow_; }
    void SetMultiRow(bool multiRow);
    std::int32_t Placement() const { return placement_; }
    void SetPlacement(std::int32_t placement);  // kPlacement...
    bool Separators() const { return separators_; }
    void SetSeparators(bool separators);
    bool ShowTips() const { return showTips_; }
    void SetShowTips(bool showTips);
    std::int32_t Style() const { return style_; }
    void SetStyle(std::int32_t style);  // kStyle...
    std::int16_t TabFixedHeight() const { return tabFixedHeight_; }
    void SetTabFixedHeight(std::int16_t pixels);  // 1 or more
    std::int16_t TabFixedWidth() const { return tabFixedWidth_; }
    void SetTabFixedWidth(std::int16_t pixels);  // 1 or more
    std::int32_t TabStyle() const { return tabStyle_; }
    void SetTabStyle(std::int32_t tabStyle);  // kTabStyle...
    std::int32_t TabWidthStyle() const { return tabWidthStyle_; }
    void SetTabWidthStyle(std::int32_t widthStyle);  // 0, 1 or kTabWidthFixed

    // While true, UpdateTabs does nothing.
    bool PreventUpdate() const { return preventUpdate_; }
    void SetPreventUpdate(bool prevent) { preventUpdate_ = prevent; }

    // The control's own window and the tab-strip window inside it.
    ui::HWND hWnd() const { return window_; }
    ui::HWND ControlHwnd() const override { return tabWindow_; }

    // Tab `index` when 0 <= index < Count, else null. Pointers stay valid
    // until Count drops below their index.
    controls::Tab2* Tab2(std::int16_t index);
    // The selected tab; null while there are no tabs.
    controls::Tab2* SelectedTab();
    // The tab under a point of the tab-strip window, or null.
    controls::Tab2* HitTest(std::int16_t x, std::int16_t y);
    void Refresh();
    // Brings the strip's tabs up to date: all of them for -1.
    void UpdateTabs(std::int16_t index);

    // Moves the control; the tab-strip window fills it again.
    void Move(const form::Bounds& bounds);

    ui::Event<bool&> BeforeClick;
    ui::Event<> Click;
    ui::Event<std::int16_t> KeyDown;

private:
    friend class controls::Tab2;
    friend ui::LRESULT TabControlWindowProc(ui::HWND, ui::UINT, ui::WPARAM, ui::LPARAM);

    void ApplyProperties(bool rebuild);
    void CreateTabStripWindow();
    void CreateToolTipWindow();
    void UpdateToolTips();
    void ResizeTabList();
    void MarkChanged(std::wstring_view key) { changed_.Mark(key); }

    ui::HWND window_ = nullptr;
    ui::HWND tabWindow_ = nullptr;
    ui::HWND toolTipWindow_ = nullptr;
    ui::HFONT fontHandle_ = nullptr;
    std::wstring name_;

    std::int16_t count_ = 0;
    bool enabled_ = true;
    ui::StdFont font_;
    bool hotTracking_ = false;
    bool multiRow_ = false;
    std::int32_t placement_ = kPlacementTop;
    bool separators_ = true;
    bool showTips_ = true;
    std::int32_t style_ = kStyleTabs;
    std::int16_t tabFixedHeight_ = 16;
    std::int16_t tabFixedWidth_ = 32;
    std::int32_t tabStyle_ = kTabStyleStandard;
    std::int32_t tabWidthStyle_ = 0;
    bool preventUpdate_ = false;

    std::vector<std::unique_ptr<controls::Tab2>> tabs_;  // Count + 1 slots, the last one spare
    ChangedProperties changed_;
    Subclassing outerRouting_;
    Subclassing innerRouting_;
    TranslateMessage translator_;
};

}  // namespace controls
