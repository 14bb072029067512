#pragma once
// Display lists: ";"-separated entries held in a value label's Tag, counted
// from 0. Empty entries are kept and nothing is trimmed, so positions stay
// the numbers the collectors deliver.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// Entry `index` of `list`, or nothing when the list has no such entry.
std::optional<std::wstring> ListEntry(std::wstring_view list, int index);

// The text a list row shows: the entry when valid, else the fallback. A valid
// row whose entry does not exist gives nothing, so a caller can tell.
std::optional<std::wstring> GetListValue(std::wstring_view list, bool valid, int index, std::wstring_view fallback);

}  // namespace app
