#pragma once
// The stored settings of a form's controls as text, one setting a line:
//
//   ' The main window's tab strip
//   TabControlVeltrix.Count=15
//   TabControlVeltrix.MultiRow=True
//   TabControlVeltrix.TabText(0)="Processor"
//   InfoFrameVeltrix.BackColor=&H00796150&
//   SunkenLabelIndex(2).Font=Font("MS Sans Serif", 8.25, Bold)
//
// A line is the control's name, ".", the key, "=" and a value: True or
// False; a whole number in decimal or as &H followed by up to eight hex
// digits (and an optional "&"); text in double quotes, a quote inside written
// twice; or Font("face", size) with any of Bold, Italic, Underline and
// Strikethrough after the size, a size of at most 2048 points. Blank lines and lines starting with ' or #
// are skipped. The text is UTF-8.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/controls/PropertyBag.h"

namespace controls {

class StoredForm {
public:
    // Nothing when a line cannot be read; `error` then names the line and why.
    static std::optional<StoredForm> Parse(std::string_view text, std::string* error = nullptr);
    // Controls and keys in sorted order; parses back to the same form.
    std::string Format() const;

    // An empty bag for a control without settings.
    const PropertyBag& Bag(std::wstring_view control) const;
    PropertyBag& Bag(std::wstring_view control);
    std::vector<std::wstring> ControlNames() const;

private:
    std::map<std::wstring, PropertyBag, std::less<>> controls_;
};

}  // namespace controls
