#pragma once
// The routines through which every value label is written and read, and the
// translation of the window into Dutch.

#include <optional>
#include <string>
#include <string_view>

#include "window/controls/InfoFrame.h"
#include "window/controls/SystemMenu.h"
#include "window/controls/TabControl.h"
#include "window/form/form.h"
#include "window/form/label.h"
#include "window/ui/types.h"

namespace app {

// Window-menu entries of the main window: 0 and 3 are separators.
inline constexpr std::int16_t kMenuEntrySaveAs = 1;
inline constexpr std::int16_t kMenuEntrySaveAllAs = 2;
inline constexpr std::int16_t kMenuEntryAbout = 4;

// What the translation rewrites: the window's own controls, found by name.
class TranslatableWindow {
public:
    virtual ~TranslatableWindow() = default;
    virtual window::form::Form& Form() = 0;
    virtual controls::InfoFrame& InfoFrameVeltrix() = 0;
    virtual controls::TabControl& TabControlVeltrix() = 0;
    virtual controls::SystemMenu& SystemMenuVeltrix() = 0;
    // A caption label by name, and the value label beside it.
    virtual window::form::Label& CaptionLabel(std::string_view name) = 0;
    virtual window::form::Label& ValueLabel(std::string_view captionName) = 0;
};

// Valid values in dark blue, fallbacks in dark red (colour values with red in
// the low byte).
inline constexpr window::ui::OLE_COLOR kValidColor = window::ui::RGB(0, 0, 128);
inline constexpr window::ui::OLE_COLOR kFallbackColor = window::ui::RGB(128, 0, 0);

void ShowValue(window::form::Label& label, bool valid, std::wstring_view text, std::wstring_view fallback);
// Entry `index` of the label's Tag list; an entry the list does not have
// shows as an empty text.
void ShowListValue(window::form::Label& label, bool valid, int index, std::wstring_view fallback);
// What ShowListValue would show; nothing for an entry the list does not have.
std::optional<std::wstring> GetListValue(const window::form::Label& label, bool valid, int index,
                                         std::wstring_view fallback);

// Replaces every caption, tab text, window-menu text and display list of the
// window with its Dutch text.
void TranslateToDutch(TranslatableWindow& form);

}  // namespace app
