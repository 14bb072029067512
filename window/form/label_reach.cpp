// A value a person can reach and copy: the label's focus mark and its copy
// text, the same on both sides.
#include "window/form/label.h"

#include "window/form/internal/side.h"
#include "window/ui/accessibility.h"
#include "window/ui/clipboard.h"
#include "window/ui/window.h"

namespace window::form {

namespace {

// A text as a label draws it: with access keys, "&" before a character is
// the key's mark and "&&" one "&".
std::wstring AsShown(std::wstring_view text, bool useMnemonic) {
    if (!useMnemonic) return std::wstring(text);
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

// The text of the window that names a label: a label's caption, another
// window's text.
std::wstring NameText(ui::HWND window) {
    if (const auto* label = dynamic_cast<const Label*>(side::ControlOf(window)))
        return AsShown(label->Caption(), label->UseMnemonic());
    return AsShown(ui::GetWindowText(window), true);
}

}  // namespace

bool Label::ShowsFocusMark() const {
    return tabStop_ && ui::IsWindow(Hwnd()) && ui::GetFocus() == Hwnd() && side::KeyboardUsed(Hwnd());
}

std::wstring Label::CopyText() const {
    std::wstring text;
    if (const ui::HWND name = ui::GetLabelledBy(Hwnd())) {
        text = NameText(name);
        if (!text.empty()) text += L' ';
    }
    return text + AsShown(caption_, useMnemonic_);
}

bool Label::Copy() const { return ui::SetClipboardText(Hwnd(), CopyText()); }

}  // namespace window::form
