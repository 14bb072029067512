#pragma once
// A field of a page: its caption label, how its value becomes text, when the
// value counts as valid and the fallback shown otherwise. Every category's
// field table (in its own app/pages/<Name>Category.cpp) is written with these
// types and helpers, and the pages and the report both write from the tables,
// so a value reads the same on screen and on paper.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "app/pages/DutchTexts.h"
#include "format/FormatEx.h"

namespace app {

enum class FieldKind {
    kText,  // `text` is the value
    kList,  // entry `listIndex` of the value label's display list
};

struct FieldValue {
    bool valid = true;
    std::wstring text;
    int listIndex = 0;
    std::wstring_view fallback;
    // Where the report writes another fallback than the page (the optical
    // drives' write speed); empty when both write `fallback`.
    std::wstring_view reportFallback = {};
    // The number the text shows, for the JSON document: bytes, MHz,
    // milliseconds, counts, identifiers. None for a text.
    std::variant<std::monostate, std::int64_t, double> number = {};
    // A pair's second number (a resolution's height).
    std::int64_t secondNumber = 0;
};

// A field's name in the JSON document: the collector's property name
// ("TotalPhysical"), two for a field that shows two numbers (a resolution).
struct FieldKey {
    const char* captionLabel;
    const char* key;
    const char* secondKey = nullptr;
};

template <typename Source>
struct Field {
    const char* captionLabel;
    FieldKind kind;
    FieldValue (*value)(const Source&, const format::FormatEx&);
    // Shown on the page but not written to the report (a port's description
    // and monitor).
    bool pageOnly = false;
};

namespace field {

// A text that is shown when `valid`, else the fallback.
inline FieldValue Text(bool valid, std::wstring text, std::wstring_view fallback = kUnknown) {
    return {valid, valid ? std::move(text) : std::wstring(), 0, fallback};
}

// A text that is valid when it is not empty.
inline FieldValue NonEmpty(const std::wstring& text, std::wstring_view fallback = kUnknown) {
    return Text(!text.empty(), text, fallback);
}

// A text that is always shown.
inline FieldValue Always(std::wstring text) { return {true, std::move(text), 0, L""}; }

// A text that shows the number `number`, when `valid`.
inline FieldValue Number(bool valid, std::int64_t number, std::wstring text, std::wstring_view fallback = kUnknown) {
    FieldValue value = Text(valid, std::move(text), fallback);
    if (valid) value.number = number;
    return value;
}

// A number shown as it is, when `valid`.
inline FieldValue Integer(bool valid, std::int64_t number, std::wstring_view fallback = kUnknown) {
    return Number(valid, number, std::to_wstring(number), fallback);
}

// Entry `index` of the value label's list when `valid`.
inline FieldValue List(bool valid, int index, std::wstring_view fallback = kUnknown) {
    return {valid, {}, index, fallback};
}

// Booleans are -1 for true; the list entry is their absolute value.
inline FieldValue BooleanList(bool value) { return {true, {}, value ? 1 : 0, L""}; }

inline std::wstring Decimal(long long value) { return std::to_wstring(value); }

// A byte count in whole kilobytes, valid when above zero.
inline FieldValue Kilobytes(std::int64_t bytes, const format::FormatEx& f) {
    return Number(bytes > 0, bytes, f.FormatMemory(bytes, format::FormatEx::kKilobytes));
}

}  // namespace field

}  // namespace app
