#include "app/pages/KeyboardCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Keyboard.h"

namespace app {

namespace {

using collectors::Keyboard;
using format::FormatEx;

using namespace field;

constexpr FieldDeclaration kFields[] = {
    {.label = "LabelKeyboardType", .designCaption = "Type:", .dutchCaption = L"Type:", .row = 1,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) { return NonEmpty(k.KeyboardType()); }>,
     .json = {"KeyboardType", JsonType::kText}},
    {.label = "LabelKeyboardLayoutid", .designCaption = "Layout ID:", .dutchCaption = L"Indeling-ID:", .row = 2,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) { return NonEmpty(k.LayoutID()); }>,
     .json = {"LayoutID", JsonType::kText, "eight hexadecimal digits"}},
    {.label = "LabelKeyboardFunctionkeys", .designCaption = "Function Keys:",
     .dutchCaption = L"Functietoetsen:", .row = 3,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) {
         return Integer(k.FunctionKeys() != 0, k.FunctionKeys());
     }>,
     .json = {"FunctionKeys", JsonType::kInteger}},
    // The settings are shown as the times they stand for, not as raw
    // settings, and only when the machine gave them.
    {.label = "LabelKeyboardRepeatdelay", .designCaption = "Repeat Delay:",
     .dutchCaption = L"Herhaalvertraging:", .row = 4,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) {
         const auto ms = Keyboard::RepeatDelayMilliseconds(k.RepeatDelay());
         return Number(k.RepeatDelayReported(), ms, Decimal(ms) + L" ms");
     }>,
     .json = {"RepeatDelay", JsonType::kInteger, "milliseconds before the first repeat"}},
    {.label = "LabelKeyboardRepeatspeed", .designCaption = "Repeat Speed:",
     .dutchCaption = L"Herhaalsnelheid:", .row = 5,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) {
         const auto ms = Keyboard::RepeatIntervalMilliseconds(k.RepeatSpeed());
         return Number(k.RepeatSpeedReported(), ms, Decimal(ms) + L" ms");
     }>,
     .json = {"RepeatSpeed", JsonType::kInteger, "milliseconds between repeats"}},
    {.label = "LabelKeyboardCapslock", .designCaption = "Caps Lock:", .dutchCaption = L"Caps Lock:", .row = 6,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) { return BooleanList(k.CapsLockStatus()); }>,
     .dutchList = L"Uit;Aan", .json = {"CapsLockStatus", JsonType::kListValue, "Uit;Aan"}, .live = true},
    {.label = "LabelKeyboardNumlock", .designCaption = "Num Lock:", .dutchCaption = L"Num Lock:", .row = 7,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) { return BooleanList(k.NumLockStatus()); }>,
     .dutchList = L"Uit;Aan", .json = {"NumLockStatus", JsonType::kListValue, "Uit;Aan"}, .live = true},
    {.label = "LabelKeyboardScrolllock", .designCaption = "Scroll Lock:", .dutchCaption = L"Scroll Lock:", .row = 8,
     .value = ValueFrom<[](const Keyboard& k, const FormatEx&) { return BooleanList(k.ScrollLockStatus()); }>,
     .dutchList = L"Uit;Aan", .json = {"ScrollLockStatus", JsonType::kListValue, "Uit;Aan"}, .live = true},
};

}  // namespace

const CategoryRow& KeyboardCategory() {
    static const SingleObjectKind<collectors::Keyboard> kKind(kFields, TimerRewrites::kLiveFields);
    static const CategoryRow kRow{
        .category = kKeyboard,
        .page = {.designTabText = "Keyboard",
                 .dutchTabText = L"Toetsenbord",
                 .frameHeightTwips = 3345,
                 .multiDevice = false,
                 .rows = kFields},
        .kind = kKind,
        .refreshedByTimer = true,
    };
    return kRow;
}

}  // namespace app
