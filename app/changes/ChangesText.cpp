#include "app/changes/ChangesText.h"

#include "app/changes/PageWords.h"
#include "app/pages/DutchTexts.h"
#include "base/codepage.h"

namespace app::changes {

namespace {

constexpr std::wstring_view kRemoved = L"verwijderd";
constexpr std::wstring_view kAdded = L"toegevoegd";
constexpr std::wstring_view kChanged = L"gewijzigd";

// A value as the JSON holds it: a list value by its Dutch text, a number in
// its unit (bytes, MHz, ms), a fallback (null) as "Onbekend".
std::wstring ValueText(const Json& value) {
    if (value.is_null()) return std::wstring(kUnknown);
    if (value.is_string()) return base::DecodeUtf8(value.get_ref<const std::string&>());
    if (value.is_object() && value.contains("text") && value.at("text").is_string())
        return base::DecodeUtf8(value.at("text").get_ref<const std::string&>());
    return base::DecodeUtf8(value.dump());
}

bool IsBlank(const Json& value) {
    return value.is_null() || (value.is_string() && value.get_ref<const std::string&>().empty());
}

// "Naam: Maxtor 6Y080P0, Serienummer: Y24X835E": what names a device, the
// fields it has a value for; a pair of numbers as the page shows it
// ("Resolutie: 1024 x 768"). A device named by nothing is named by its place
// in the list.
std::wstring Describe(int category, const Json& identity, int index) {
    std::wstring text;
    for (const auto& member : identity.items()) {
        if (IsBlank(member.value())) continue;
        if (!PairedWith(category, member.key()).empty() && !text.empty()) {
            text += L" x " + ValueText(member.value());
            continue;
        }
        if (!text.empty()) text += L", ";
        text += Caption(category, member.key()) + L": " + ValueText(member.value());
    }
    return text.empty() ? L"Index: " + std::to_wstring(index) : text;
}

std::wstring FieldLine(int category, const FieldChange& change) {
    return Caption(category, change.key) + L": " + ValueText(change.before) + L" -> " + ValueText(change.after);
}

void DeviceLines(const std::wstring& heading, int category, const DeviceChange& device,
                 std::vector<std::wstring>& lines) {
    switch (device.kind) {
    case DeviceChange::Kind::kRemoved:
        lines.push_back(heading + std::wstring(kRemoved) + L" (" +
                        Describe(category, device.identity, device.earlierIndex) + L")");
        return;
    case DeviceChange::Kind::kAdded:
        lines.push_back(heading + std::wstring(kAdded) + L" (" + Describe(category, device.identity, device.index) +
                        L")");
        return;
    case DeviceChange::Kind::kChanged:
        for (const FieldChange& field : device.fields)
            lines.push_back(heading + std::wstring(kChanged) + L" (" +
                            Describe(category, device.identity, device.index) + L"): " + FieldLine(category, field));
        return;
    }
}

}  // namespace

std::vector<std::wstring> ChangesText(const std::vector<CategoryChanges>& changes) {
    std::vector<std::wstring> lines;
    for (const CategoryChanges& category : changes) {
        const std::wstring heading = Heading(category.category) + L": ";
        for (const FieldChange& field : category.fields)
            lines.push_back(heading + std::wstring(kChanged) + L": " + FieldLine(category.category, field));
        for (const DeviceChange& device : category.devices) DeviceLines(heading, category.category, device, lines);
    }
    return lines;
}

}  // namespace app::changes
