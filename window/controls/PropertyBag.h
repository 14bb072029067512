#pragma once
// The stored settings of one control: named keys with values. A value equal
// to its default is never stored, and reading a key that is not there (or
// holds another kind of value) gives the default, so a control's settings
// read back the same whether they were written or left out.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <variant>

#include "window/ui/stdfont.h"

namespace controls {

using PropertyValue = std::variant<bool, std::int32_t, std::wstring, window::ui::StdFont>;

class PropertyBag {
public:
    bool ReadBool(std::wstring_view key, bool defaultValue) const;
    // A stored True reads as -1 and False as 0, as the form's integers do.
    std::int32_t ReadLong(std::wstring_view key, std::int32_t defaultValue) const;
    std::wstring ReadString(std::wstring_view key, std::wstring_view defaultValue) const;
    window::ui::StdFont ReadFont(std::wstring_view key, const window::ui::StdFont& defaultValue) const;

    void WriteBool(std::wstring_view key, bool value, bool defaultValue);
    void WriteLong(std::wstring_view key, std::int32_t value, std::int32_t defaultValue);
    void WriteString(std::wstring_view key, std::wstring_view value, std::wstring_view defaultValue);
    void WriteFont(std::wstring_view key, const window::ui::StdFont& value, const window::ui::StdFont& defaultValue);

    // The store itself, as the stored form holds it.
    void Set(std::wstring_view key, PropertyValue value);
    const PropertyValue* Get(std::wstring_view key) const;
    bool Contains(std::wstring_view key) const { return Get(key) != nullptr; }
    const std::map<std::wstring, PropertyValue, std::less<>>& Values() const { return values_; }
    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    void WriteOrRemove(std::wstring_view key, PropertyValue value, const PropertyValue& defaultValue);

    std::map<std::wstring, PropertyValue, std::less<>> values_;
};

// The keys a control has marked as changed since its settings were loaded:
// what a form designer would save.
class ChangedProperties {
public:
    void Mark(std::wstring_view key) { keys_.emplace(key); }
    bool Contains(std::wstring_view key) const { return keys_.find(key) != keys_.end(); }
    const std::set<std::wstring, std::less<>>& Keys() const { return keys_; }
    void Clear() { keys_.clear(); }

private:
    std::set<std::wstring, std::less<>> keys_;
};

}  // namespace controls
