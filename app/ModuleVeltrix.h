#pragma once
// The routines through which every value label is written and read, and the
// translation of the window into Dutch.

#include <optional>
#include <string>
#include <string_view>

#include "platform/form/label.h"
#include "platform/ui/types.h"

namespace app {

class FormVeltrix;

// Valid values in dark blue, fallbacks in dark red (colour values with red in
// the low byte).
inline constexpr platform::ui::OLE_COLOR kValidColor = platform::ui::RGB(0, 0, 128);
inline constexpr platform::ui::OLE_COLOR kFallbackColor = platform::ui::RGB(128, 0, 0);

void ShowValue(platform::form::Label& label, bool valid, std::wstring_view text, std::wstring_view fallback);
// Entry `index` of the label's Tag list; an entry the list does not have
// shows as an empty text.
void ShowListValue(platform::form::Label& label, bool valid, int index, std::wstring_view fallback);
// What ShowListValue would show; nothing for an entry the list does not have.
std::optional<std::wstring> GetListValue(const platform::form::Label& label, bool valid, int index,
                                         std::wstring_view fallback);

// Replaces every caption, tab text, window-menu text and display list of the
// window with its Dutch text.
void TranslateToDutch(FormVeltrix& form);

}  // namespace app
