#include "app/pages/BatteryCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Battery.h"
#include "format/TimeEx.h"

namespace app {

namespace {

constexpr PageRow kRows[] = {
    {"LabelBatteryPowerstatus", "Power Status:", L"Vermogenstoestand:", 1},
    {"LabelBatteryChargestatus", "Charge Status:", L"Laadtoestand:", 2},
    {"LabelBatteryLifepercent", "Life Percent:", L"Levenspercentage:", 3},
    {"LabelBatteryLifetime", "Life Time:", L"Levensduur:", 4},
};

constexpr ValueLabelList kLists[] = {
    {"LabelBatteryPowerstatusvalue", L"Niet aangesloten;Aangesloten"},
    {"LabelBatteryChargestatusvalue", L"Hoog;Laag;Kritisch;Aan het laden;;;;Geen systeembatterij"},
};

using collectors::Battery;
using format::FormatEx;

using namespace field;

constexpr Field<Battery> kFields[] = {
    {"LabelBatteryPowerstatus", FieldKind::kList,
     [](const Battery& b, const FormatEx&) {
         const auto s = b.PowerStatus();
         return List(s == 0 || s == 1, s);
     }},
    {"LabelBatteryChargestatus", FieldKind::kList,
     [](const Battery& b, const FormatEx&) {
         const auto s = b.ChargeStatus();
         return List((s >= 0 && s <= 3) || s == 7, s);
     }},
    {"LabelBatteryLifepercent", FieldKind::kText,
     [](const Battery& b, const FormatEx&) {
         return Number(b.LifePercent() != Battery::kNotReported, b.LifePercent(), Decimal(b.LifePercent()) + L"%");
     }},
    {"LabelBatteryLifetime", FieldKind::kText,
     [](const Battery& b, const FormatEx& f) {
         const std::wstring text =
             b.LifeTime() ? format::TimeEx::Text(*b.LifeTime(), f.Regional().timeFormat) : std::wstring();
         auto value = NonEmpty(text);
         // The JSON document counts the time the page shows in seconds.
         if (value.valid) {
             const format::TimeOfDay& t = *b.LifeTime();
             value.number = std::int64_t{t.hours} * 3600 + t.minutes * 60 + t.seconds;
         }
         return value;
     }},
};

std::span<const Field<Battery>> BatteryFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelBatteryPowerstatus", "PowerStatus"},
    {"LabelBatteryChargestatus", "ChargeStatus"},
    {"LabelBatteryLifepercent", "LifePercent"},
    {"LabelBatteryLifetime", "LifeTime"},
};

}  // namespace

const CategoryRow& BatteryCategory() {
    static const SingleObjectKind<collectors::Battery> kKind(BatteryFields, BatteryFields);
    static const CategoryRow kRow{
        .category = kBattery,
        .page = {.designTabText = "Battery",
                 .dutchTabText = L"Batterij",
                 .frameHeightTwips = 1905,
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
