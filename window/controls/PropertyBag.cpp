#include "window/controls/PropertyBag.h"

namespace controls {

namespace {

constexpr std::int32_t kTrue = -1;

}  // namespace

const PropertyValue* PropertyBag::Get(std::wstring_view key) const {
    auto found = values_.find(key);
    return found == values_.end() ? nullptr : &found->second;
}

void PropertyBag::Set(std::wstring_view key, PropertyValue value) { values_.insert_or_assign(std::wstring(key), std::move(value)); }

bool PropertyBag::ReadBool(std::wstring_view key, bool defaultValue) const {
    const PropertyValue* value = Get(key);
    if (!value) return defaultValue;
    if (const bool* b = std::get_if<bool>(value)) return *b;
    if (const std::int32_t* n = std::get_if<std::int32_t>(value)) return *n != 0;
    return defaultValue;
}

std::int32_t PropertyBag::ReadLong(std::wstring_view key, std::int32_t defaultValue) const {
    const PropertyValue* value = Get(key);
    if (!value) return defaultValue;
    if (const std::int32_t* n = std::get_if<std::int32_t>(value)) return *n;
    if (const bool* b = std::get_if<bool>(value)) return *b ? kTrue : 0;
    return defaultValue;
}

std::wstring PropertyBag::ReadString(std::wstring_view key, std::wstring_view defaultValue) const {
    const PropertyValue* value = Get(key);
    if (const std::wstring* s = value ? std::get_if<std::wstring>(value) : nullptr) return *s;
    return std::wstring(defaultValue);
}

window::ui::StdFont PropertyBag::ReadFont(std::wstring_view key, const window::ui::StdFont& defaultValue) const {
    const PropertyValue* value = Get(key);
    if (const auto* font = value ? std::get_if<window::ui::StdFont>(value) : nullptr) return *font;
    return defaultValue;
}

void PropertyBag::WriteOrRemove(std::wstring_view key, PropertyValue value, const PropertyValue& defaultValue) {
    if (value == defaultValue) {
        if (auto found = values_.find(key); found != values_.end()) values_.erase(found);
        return;
    }
    Set(key, std::move(value));
}

void PropertyBag::WriteBool(std::wstring_view key, bool value, bool defaultValue) {
    WriteOrRemove(key, value, defaultValue);
}

void PropertyBag::WriteLong(std::wstring_view key, std::int32_t value, std::int32_t defaultValue) {
    WriteOrRemove(key, value, defaultValue);
}

void PropertyBag::WriteString(std::wstring_view key, std::wstring_view value, std::wstring_view defaultValue) {
    WriteOrRemove(key, std::wstring(value), std::wstring(defaultValue));
}

void PropertyBag::WriteFont(std::wstring_view key, const window::ui::StdFont& value,
                            const window::ui::StdFont& defaultValue) {
    WriteOrRemove(key, value, defaultValue);
}

}  // namespace controls
