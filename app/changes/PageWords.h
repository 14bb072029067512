#pragma once
// The report's own words for a comparison: a category's name in the JSON
// document and its Dutch heading, and the Dutch caption of a field named by
// its JSON key. Every read of the page tables for the comparison is here.

#include <optional>
#include <string>
#include <string_view>

namespace app::changes {

// The categories are numbered 0 to CategoryCount() - 1, in tab order.
int CategoryCount();
// "MemoryUsage" -> 1; nothing for a name no category has.
std::optional<int> CategoryNumberOf(std::string_view jsonName);
// 1 -> "MemoryUsage": the English tab text without spaces.
std::string CategoryJsonName(int category);
// Whether the category's page lists devices (its JSON block has "items").
bool ListsDevices(int category);
// The tab's Dutch text, as the text report's heading: "Geheugengebruik".
std::wstring Heading(int category);
// The field's Dutch caption without its colon ("Serienummer"); the key
// itself for a key the category does not have.
std::wstring Caption(int category, std::string_view jsonKey);
// The key of the first number of a pair whose second number `jsonKey` is
// ("ScreenWidth" for "ScreenHeight"); empty for any other key.
std::string_view PairedWith(int category, std::string_view jsonKey);

}  // namespace app::changes
