#pragma once
// A text label: a caption that wraps at its width, in its font and colours.
// Unless UseMnemonic is off, "&" marks an access key (underlined) and "&&"
// shows one "&". A disabled label shows its text engraved.
//
// A label with a tab stop is one a person can reach and copy: it takes the
// keyboard focus (Tab reaches it in the order labels were made, a click
// gives it too), shows a focus mark while focused once the keyboard has been
// used in its form (never before, so a window only looked at stays as it is
// drawn), and Ctrl+C puts its copy text on the clipboard.

#include <string>

#include "window/form/control.h"
#include "window/ui/event.h"
#include "window/ui/stdfont.h"

namespace window::form {

enum class Alignment { Left = 0, Right = 1, Center = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };

inline constexpr ui::OLE_COLOR kButtonFaceColor = 0x8000000F;
inline constexpr ui::OLE_COLOR kButtonTextColor = 0x80000012;

class Label : public Control {
public:
    // The font is the form's until SetFont.
    Label(ui::HWND parent, std::wstring name, const Bounds& bounds, std::wstring caption = {});

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    ui::OLE_COLOR ForeColor() const { return foreColor_; }
    void SetForeColor(ui::OLE_COLOR color);
    ui::OLE_COLOR BackColor() const { return backColor_; }
    void SetBackColor(ui::OLE_COLOR color);
    BackStyle GetBackStyle() const { return backStyle_; }
    void SetBackStyle(BackStyle style);
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment);
    bool UseMnemonic() const { return useMnemonic_; }
    void SetUseMnemonic(bool use);
    const ui::StdFont& Font() const { return font_; }
    void SetFont(const ui::StdFont& font);

    // The width the caption takes on one line, in the label's font.
    int CaptionWidth() const;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    // Focused, with the focus mark showing.
    bool ShowsFocusMark() const;
    // What Ctrl+C copies: the text of the window that labels it
    // (ui::SetLabelledBy) as shown, a space, and the caption as shown
    // ("Serienummer: WD-123"); the caption alone without such a window.
    std::wstring CopyText() const;
    // Puts the copy text on the clipboard; false when it could not.
    bool Copy() const;

    ui::Event<> Click;
    ui::Event<> DblClick;

private:
    void Repaint();

    std::wstring caption_;
    ui::OLE_COLOR foreColor_ = kButtonTextColor;
    ui::OLE_COLOR backColor_ = kButtonFaceColor;
    BackStyle backStyle_ = BackStyle::Opaque;
    Alignment alignment_ = Alignment::Left;
    bool useMnemonic_ = true;
    bool tabStop_ = false;
    ui::StdFont font_;
};

}  // namespace window::form
