#pragma once
// Mouse settings that a desktop keeps in text files under the user's
// configuration directory: the double-click time and left-handed buttons.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::linux_backend {

// Where each desktop keeps them, relative to the configuration directory.
inline constexpr std::string_view kGtk3Settings = "/gtk-3.0/settings.ini";
inline constexpr std::string_view kGtk4Settings = "/gtk-4.0/settings.ini";
inline constexpr std::string_view kKdeGlobals = "/kdeglobals";
inline constexpr std::string_view kKdeInput = "/kcminputrc";

// The GTK default, which is also what the desktops use when nothing is set.
inline constexpr std::uint32_t kDefaultDoubleClickMilliseconds = 400;

// [Settings] gtk-double-click-time of a GTK settings.ini.
std::optional<std::uint32_t> GtkDoubleClickTime(std::string_view settingsIni);
// [KDE] DoubleClickInterval of kdeglobals.
std::optional<std::uint32_t> KdeDoubleClickTime(std::string_view kdeglobals);
// [Mouse] of kcminputrc: MouseButtonMapping=LeftHanded, or XLbInptLeftHanded.
std::optional<bool> KdeLeftHanded(std::string_view kcminputrc);

// The X server's pointer map swaps the buttons when physical button 1 gives
// logical button 3 and physical 3 gives 1.
std::optional<bool> SwappedInPointerMapping(std::string_view map);

}  // namespace platform::linux_backend
