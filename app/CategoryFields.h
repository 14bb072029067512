#pragma once
// The fields of the single-object categories: for each row, its caption
// label, how its value becomes text, when the value counts as valid and the
// fallback shown otherwise. The pages and the report both write from these
// tables, so a value reads the same on screen and on paper.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "collectors/Battery.h"
#include "collectors/Keyboard.h"
#include "collectors/MemoryUsage.h"
#include "collectors/Mouse.h"
#include "collectors/Processor.h"
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
};

template <typename Source>
struct Field {
    const char* captionLabel;
    FieldKind kind;
    FieldValue (*value)(const Source&, const format::FormatEx&);
};

std::span<const Field<collectors::Processor>> ProcessorFields();
std::span<const Field<collectors::MemoryUsage>> MemoryUsageFields();
std::span<const Field<collectors::Keyboard>> KeyboardFields();
// The three lock-key rows: the last three keyboard fields, rewritten on refresh.
std::span<const Field<collectors::Keyboard>> KeyboardLockFields();
std::span<const Field<collectors::Mouse>> MouseFields();
std::span<const Field<collectors::Battery>> BatteryFields();

}  // namespace app
