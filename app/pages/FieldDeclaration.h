#pragma once
// A field, declared once: its place on the page, its captions, how its value
// becomes text, its fallback, its name and type in the JSON document, and
// what it means to a comparison of two reports (whether it names the device,
// whether it changes by itself). Each category declares its fields in one
// table in its own file (app/pages/<Name>Category.cpp); the window lays the
// page out from it, and the report lines, the JSON document and its schema
// (docs/report.schema.json) are all written from the same table.

#include <string_view>

#include "app/pages/DutchTexts.h"
#include "app/pages/FieldValues.h"
#include "format/FormatEx.h"

namespace app {

// Where a row's labels stand: across the page, or one of the two column
// pairs of the USB page.
enum class RowColumn { kFull, kLeft, kRight };

// A field's value in the JSON document; each type is one definition of the
// schema (docs/report.schema.json, "$defs").
enum class JsonType {
    kNone,           // a row the document does not have
    kIndex,          // the device's place in its list, from 0
    kText,           // machine text, or null
    kInteger,        // a whole number, or null
    kNumber,         // a number with a fraction, or null
    kBytes,          // a byte count above zero, or null
    kUnsigned16,     // an identifier of 1 to 65535, or null
    kByte,           // a code of 0 to 255, never null
    kAlwaysInteger,  // a whole number, never null
    kListValue,      // a display list's entry with its number, or null
};

// What a field of a listed device is to a comparison of two reports: its
// serial names it alone where it has one; otherwise its model together with
// its place (port, drive letter, controller slot).
enum class IdentityRole {
    kNone,
    kSerial,
    kModel,
    kPlace,
};

struct JsonField {
    const char* key = nullptr;  // the collector's property name ("TotalPhysical")
    JsonType type = JsonType::kNone;
    const char* note = nullptr;  // the schema's description; none for a plain field
    // A field that shows two numbers (a resolution) has a second key, of the
    // same type and note.
    const char* secondKey = nullptr;
};

// What a value is read from: the address of one tag per collector or item
// class, so a page hands each field the object it was written for.
template <typename Source>
inline constexpr char kFieldSourceTag = 0;

// How a field's value becomes text, over the object it reads.
struct FieldRule {
    const void* source = nullptr;  // &kFieldSourceTag<Source>; none for a row without a value
    FieldValue (*read)(const void* object, const format::FormatEx& format) = nullptr;
};

namespace field {

template <typename Method>
struct RuleSource;
template <typename Lambda, typename Source>
struct RuleSource<FieldValue (Lambda::*)(const Source&, const format::FormatEx&) const> {
    using Type = Source;
};

}  // namespace field

// The rule of a value, from a function of the object it reads:
//   ValueFrom<[](const PrinterItem& p, const FormatEx&) { return field::NonEmpty(p.Name()); }>
// The object's class is the function's first parameter.
template <auto Read>
inline constexpr FieldRule ValueFrom = [] {
    using Source = typename field::RuleSource<decltype(&decltype(Read)::operator())>::Type;
    return FieldRule{&kFieldSourceTag<Source>, [](const void* object, const format::FormatEx& format) {
                         return Read(*static_cast<const Source*>(object), format);
                     }};
}();

struct FieldDeclaration {
    // The page.
    const char* label;            // caption label; the value label adds "value"
    const char* designCaption;    // the English design text
    const wchar_t* dutchCaption;  // what the translated window shows
    int row;                      // 1-based; Top = 360 twips x row
    RowColumn column = RowColumn::kFull;
    bool isIndexRow = false;  // "Index:" label, sunken index box and scroll bar

    // The value: read by `value`, shown as text or as an entry of the value
    // label's Dutch display list; the fallback where it is not valid.
    FieldRule value = {};
    const wchar_t* dutchList = nullptr;  // "Uit;Aan"; set for a list field
    std::wstring_view fallback = kUnknown;
    // Where the report writes another fallback than the page (the optical
    // drives' write speed); empty when both write `fallback`.
    std::wstring_view reportFallback = {};
    // False for a field shown on the page and in the JSON document but not
    // written to the text report (a port's description and monitor).
    bool inTextReport = true;

    JsonField json = {};

    // For comparing reports: the part the field plays in naming a device of
    // a list (docs/report-format.md, "What changed"), or that it changes by
    // itself while the machine runs (free memory, battery charge, lock keys,
    // free space, clock speed).
    IdentityRole identity = IdentityRole::kNone;
    bool live = false;

    bool HasValue() const { return value.read != nullptr; }
    FieldKind Kind() const { return json.type == JsonType::kListValue ? FieldKind::kList : FieldKind::kText; }

    template <typename Source>
    bool Reads() const {
        return value.source == &kFieldSourceTag<Source>;
    }

    // The value with this field's fallbacks; only for a field that Reads<Source>().
    template <typename Source>
    FieldValue ValueOf(const Source& source, const format::FormatEx& format) const {
        FieldValue result = value.read(&source, format);
        result.fallback = fallback;
        result.reportFallback = reportFallback;
        return result;
    }
};

// The window's name for one row of a page: the page's view of a declaration.
using PageRow = FieldDeclaration;

// The index row of a multi-device page: "LabelIndex(N)", a caption with the
// sunken index box and scroll bar beside it, and the device's place in the
// JSON document.
constexpr FieldDeclaration IndexRow(const char* label, int row) {
    return {.label = label,
            .designCaption = "Index:",
            .dutchCaption = L"Index:",
            .row = row,
            .isIndexRow = true,
            .json = {"Index", JsonType::kIndex, "the device's place, from 0"}};
}

}  // namespace app
