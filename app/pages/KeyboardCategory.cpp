#include "app/pages/KeyboardCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Keyboard.h"

namespace app {

namespace {

constexpr PageRow kRows[] = {
    {"LabelKeyboardType", "Type:", L"Type:", 1},
    {"LabelKeyboardLayoutid", "Layout ID:", L"Indeling-ID:", 2},
    {"LabelKeyboardFunctionkeys", "Function Keys:", L"Functietoetsen:", 3},
    {"LabelKeyboardRepeatdelay", "Repeat Delay:", L"Herhaalvertraging:", 4},
    {"LabelKeyboardRepeatspeed", "Repeat Speed:", L"Herhaalsnelheid:", 5},
    {"LabelKeyboardCapslock", "Caps Lock:", L"Caps Lock:", 6},
    {"LabelKeyboardNumlock", "Num Lock:", L"Num Lock:", 7},
    {"LabelKeyboardScrolllock", "Scroll Lock:", L"Scroll Lock:", 8},
};

constexpr ValueLabelList kLists[] = {
    {"LabelKeyboardCapslockvalue", L"Uit;Aan"},
    {"LabelKeyboardNumlockvalue", L"Uit;Aan"},
    {"LabelKeyboardScrolllockvalue", L"Uit;Aan"},
};

using collectors::Keyboard;
using format::FormatEx;

using namespace field;

constexpr Field<Keyboard> kFields[] = {
    {"LabelKeyboardType", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) { return NonEmpty(k.KeyboardType()); }},
    {"LabelKeyboardLayoutid", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) { return NonEmpty(k.LayoutID()); }},
    {"LabelKeyboardFunctionkeys", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) { return Integer(k.FunctionKeys() != 0, k.FunctionKeys()); }},
    // The settings are shown as the times they stand for, not as raw
    // settings, and only when the machine gave them.
    {"LabelKeyboardRepeatdelay", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) {
         const auto ms = Keyboard::RepeatDelayMilliseconds(k.RepeatDelay());
         return Number(k.RepeatDelayReported(), ms, Decimal(ms) + L" ms");
     }},
    {"LabelKeyboardRepeatspeed", FieldKind::kText,
     [](const Keyboard& k, const FormatEx&) {
         const auto ms = Keyboard::RepeatIntervalMilliseconds(k.RepeatSpeed());
         return Number(k.RepeatSpeedReported(), ms, Decimal(ms) + L" ms");
     }},
    {"LabelKeyboardCapslock", FieldKind::kList,
     [](const Keyboard& k, const FormatEx&) { return BooleanList(k.CapsLockStatus()); }},
    {"LabelKeyboardNumlock", FieldKind::kList,
     [](const Keyboard& k, const FormatEx&) { return BooleanList(k.NumLockStatus()); }},
    {"LabelKeyboardScrolllock", FieldKind::kList,
     [](const Keyboard& k, const FormatEx&) { return BooleanList(k.ScrollLockStatus()); }},
};

std::span<const Field<Keyboard>> KeyboardFields() { return kFields; }
// The three lock-key rows: the last three keyboard fields, rewritten on refresh.
std::span<const Field<Keyboard>> KeyboardLockFields() { return std::span(kFields).last(3); }

constexpr FieldKey kKeys[] = {
    {"LabelKeyboardType", "KeyboardType"},
    {"LabelKeyboardLayoutid", "LayoutID"},
    {"LabelKeyboardFunctionkeys", "FunctionKeys"},
    {"LabelKeyboardRepeatdelay", "RepeatDelay"},
    {"LabelKeyboardRepeatspeed", "RepeatSpeed"},
    {"LabelKeyboardCapslock", "CapsLockStatus"},
    {"LabelKeyboardNumlock", "NumLockStatus"},
    {"LabelKeyboardScrolllock", "ScrollLockStatus"},
};

}  // namespace

const CategoryRow& KeyboardCategory() {
    static const SingleObjectKind<collectors::Keyboard> kKind(KeyboardFields, KeyboardLockFields);
    static const CategoryRow kRow{
        .category = kKeyboard,
        .page = {.designTabText = "Keyboard",
                 .dutchTabText = L"Toetsenbord",
                 .frameHeightTwips = 3345,
                 .multiDevice = false,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
        .refreshedByTimer = true,
    };
    return kRow;
}

}  // namespace app
