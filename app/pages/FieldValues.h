#pragma once
// A field's value as the page, the report and the JSON document receive it,
// and the helpers every category's value rules are written with
// (app/pages/FieldDeclaration.h): when the value counts as valid, its text,
// the number it shows. The fallback shown otherwise is the field's own and is
// set from its declaration.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

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
    // From the field's declaration.
    std::wstring_view fallback = {};
    std::wstring_view reportFallback = {};
    // The number the text shows, for the JSON document: bytes, MHz,
    // milliseconds, counts, identifiers. None for a text.
    std::variant<std::monostate, std::int64_t, double> number = {};
    // A pair's second number (a resolution's height).
    std::int64_t secondNumber = 0;
};

namespace field {

// A text that is shown when `valid`, else the fallback.
inline FieldValue Text(bool valid, std::wstring text) { return {valid, valid ? std::move(text) : std::wstring()}; }

// A text that is valid when it is not empty.
inline FieldValue NonEmpty(const std::wstring& text) { return Text(!text.empty(), text); }

// A text that is always shown.
inline FieldValue Always(std::wstring text) { return {true, std::move(text)}; }

// A text that shows the number `number`, when `valid`.
inline FieldValue Number(bool valid, std::int64_t number, std::wstring text) {
    FieldValue value = Text(valid, std::move(text));
    if (valid) value.number = number;
    return value;
}

// A number shown as it is, when `valid`.
inline FieldValue Integer(bool valid, std::int64_t number) { return Number(valid, number, std::to_wstring(number)); }

// Entry `index` of the value label's list when `valid`.
inline FieldValue List(bool valid, int index) { return {valid, {}, index}; }

// Booleans are -1 for true; the list entry is their absolute value.
inline FieldValue BooleanList(bool value) { return {true, {}, value ? 1 : 0}; }

inline std::wstring Decimal(long long value) { return std::to_wstring(value); }

// A byte count in whole kilobytes, valid when above zero.
inline FieldValue Kilobytes(std::int64_t bytes, const format::FormatEx& f) {
    return Number(bytes > 0, bytes, f.FormatMemory(bytes, format::FormatEx::kKilobytes));
}

}  // namespace field

}  // namespace app
