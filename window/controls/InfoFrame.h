#pragma once
// The header band across the top of a form: 63 pixels high and as wide as
// its container, a horizontal gradient from BackColor at the left to
// GradientColor at the right, a 32 x 32 icon at the left and one line of
// bold text beside it, closed by an etched line. A click or double click
// anywhere on it raises Click or DblClick. The icon also opens the form's
// window menu, the way a title bar's icon does, and so does a right click
// anywhere on the header, the way one on a title bar does; the icon's
// tooltip names the keys that open it.
//
//   controls::InfoFrame header(form.Hwnd(), form::Twips(0, 0, 9255, 945), L"InfoFrameVeltrix");
//   header.InitProperties();
//   header.SetIcon(window::ui::Picture::Load(":/veltrix/icon.png"));
//   header.SetText(L"Veltrix");

#include <memory>
#include <string>
#include <string_view>

#include "window/controls/PropertyBag.h"
#include "window/controls/Subclassing.h"
#include "window/controls/WindowProcedures.h"
#include "window/form/bounds.h"
#include "window/form/image.h"
#include "window/form/label.h"
#include "window/form/line.h"
#include "window/ui/event.h"
#include "window/ui/picture.h"
#include "window/ui/types.h"

namespace controls {

namespace ui = window::ui;
namespace form = window::form;

class InfoFrame {
public:
    static constexpr int kHeight = 63;
    static constexpr ui::COLORREF kDefaultColor = 0x796150;  // red 80, green 97, blue 121

    InfoFrame(ui::HWND parent, const form::Bounds& bounds, std::wstring_view name = {});
    ~InfoFrame();
    InfoFrame(const InfoFrame&) = delete;
    InfoFrame& operator=(const InfoFrame&) = delete;

    void InitProperties();
    // "Icon" is stored as the path the picture was loaded from.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    bool IsPropertyChanged(std::wstring_view key) const { return changed_.Contains(key); }

    // Plain RGB values: the gradient's left and right ends.
    ui::COLORREF BackColor() const { return backColor_; }
    void SetBackColor(ui::COLORREF color);
    ui::COLORREF GradientColor() const { return gradientColor_; }
    void SetGradientColor(ui::COLORREF color);
    ui::OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(ui::OLE_COLOR color);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const ui::Picture& Icon() const { return icon_; }
    void SetIcon(const ui::Picture& icon);
    const std::wstring& Text() const { return text_; }
    void SetText(std::wstring text);

    ui::HWND hWnd() const { return window_; }
    // Repaints the icon, the text and the lines.
    void Refresh();
    // Moves the header; it keeps its height and its container's width.
    void Move(int left, int top);

    ui::Event<> Click;
    ui::Event<> DblClick;

private:
    friend ui::LRESULT InfoFrameWindowProc(ui::HWND, ui::UINT, ui::WPARAM, ui::LPARAM);

    void ApplyProperties();
    void Changed(std::wstring_view key);
    void FitToContainer();
    void PaintGradient() const;
    // The form's window menu below this point of the header.
    void ShowMenuAt(int x, int y) const;

    ui::HWND window_ = nullptr;
    ui::COLORREF backColor_ = kDefaultColor;
    ui::COLORREF gradientColor_ = kDefaultColor;
    ui::OLE_COLOR foreColor_ = 0;
    bool enabled_ = true;
    ui::Picture icon_;
    std::wstring text_;
    bool fitting_ = false;
    std::unique_ptr<form::Image> imageIcon_;
    std::unique_ptr<form::Label> labelText_;
    std::unique_ptr<form::Line> lineUpper_;
    std::unique_ptr<form::Line> lineLower_;
    ChangedProperties changed_;
    Subclassing routing_;
};

}  // namespace controls
