#pragma once
// The routines through which every value label is written and read, and the
// translation of the window into Dutch.

#include <optional>
#include <string>
#include <string_view>

#include "controls/InfoFrame.h"
#include "controls/SystemMenu.h"
#include "controls/TabControl.h"
#include "platform/form/form.h"
#include "platform/form/label.h"
#include "platform/ui/types.h"

namespace app {

// Window-menu entries of the main window: 0 and 3 are separators.
inline constexpr std::int16_t kMenuEntrySaveAs = 1;
inline constexpr std::int16_t kMenuEntrySaveAllAs = 2;
inline constexpr std::int16_t kMenuEntryAbout = 4;

// What the translation rewrites: the window's own controls, found by name.
class TranslatableWindow {
public:
    virtual ~TranslatableWindow() = default;
    virtual platform::form::Form& Form() = 0;
    virtual controls::InfoFrame& InfoFrameVeltrix() = 0;
    virtual controls::TabControl& TabControlVeltrix() = 0;
    virtual controls::SystemMenu& SystemMenuVeltrix() = 0;
    // A caption label by name, and the value label beside it.
    virtual platform::form::Label& CaptionLabel(std::string_view name) = 0;
    virtual platform::form::Label& ValueLabel(std::string_view captionName) = 0;
};

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
void TranslateToDutch(TranslatableWindow& form);

}  // namespace app
