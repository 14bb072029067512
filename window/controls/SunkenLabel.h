#pragma once
// A box with a one-pixel sunken edge, filled with a background colour and
// showing one line of text, left-aligned, centred or right-aligned and
// vertically centred. The main window shows the item number of a page in it.
// It raises Click on every release of the left button over it and DblClick
// on a double click.
//
//   controls::SunkenLabel box(frame.Hwnd(), form::Twips(2040, 330, 495, 255), L"SunkenLabelIndex(9)");
//   box.InitProperties();
//   box.SetText(L"2");

#include <cstdint>
#include <string>
#include <string_view>

#include "window/controls/PropertyBag.h"
#include "window/controls/Subclassing.h"
#include "window/controls/WindowProcedures.h"
#include "window/form/bounds.h"
#include "window/ui/event.h"
#include "window/ui/stdfont.h"
#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;
namespace form = window::form;

class SunkenLabel {
public:
    static constexpr std::int32_t kAlignLeft = 0;
    static constexpr std::int32_t kAlignCenter = 1;
    static constexpr std::int32_t kAlignRight = 2;
    static constexpr ui::OLE_COLOR kDefaultBackColor = 0x8000000F;  // button face
    static constexpr ui::OLE_COLOR kDefaultForeColor = 0x80000012;  // button text

    SunkenLabel(ui::HWND parent, const form::Bounds& bounds, std::wstring_view name = {});
    ~SunkenLabel();
    SunkenLabel(const SunkenLabel&) = delete;
    SunkenLabel& operator=(const SunkenLabel&) = delete;

    // A new control: the defaults, in the container's font.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    bool IsPropertyChanged(std::wstring_view key) const { return changed_.Contains(key); }

    std::int32_t Alignment() const { return alignment_; }
    void SetAlignment(std::int32_t alignment);  // values outside 0-2 are ignored
    ui::OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(ui::OLE_COLOR color);
    ui::OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(ui::OLE_COLOR color);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const ui::StdFont& Font() const { return font_; }
    void SetFont(const ui::StdFont& font);
    const std::wstring& Text() const { return text_; }
    void SetText(std::wstring text);
    // False shows "&" as it is instead of marking an access key.
    bool UseMnemonic() const { return useMnemonic_; }
    void SetUseMnemonic(bool use);

    ui::HWND hWnd() const { return window_; }
    // The owner-drawn static inside.
    ui::HWND ControlHwnd() const { return inner_; }
    void Refresh();
    void Move(const form::Bounds& bounds);

    ui::Event<> Click;
    ui::Event<> DblClick;

private:
    friend ui::LRESULT SunkenLabelWindowProc(ui::HWND, ui::UINT, ui::WPARAM, ui::LPARAM);

    void CreateInnerWindow();
    void ApplyProperties(bool recreate);
    void DrawBackground(ui::HDC dc, ui::RECT& rect) const;
    void DrawCaption(ui::HDC dc, const ui::RECT& rect) const;
    void Changed(std::wstring_view key);

    ui::HWND window_ = nullptr;
    ui::HWND inner_ = nullptr;
    ui::HFONT fontHandle_ = nullptr;
    std::int32_t alignment_ = kAlignLeft;
    ui::OLE_COLOR backColor_ = kDefaultBackColor;
    ui::OLE_COLOR foreColor_ = kDefaultForeColor;
    bool enabled_ = true;
    ui::StdFont font_;
    std::wstring text_;
    bool useMnemonic_ = true;
    ChangedProperties changed_;
    Subclassing routing_;
};

}  // namespace controls
