#include "app/pages/BatteryCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Battery.h"
#include "format/TimeEx.h"

namespace app {

namespace {

using collectors::Battery;
using format::FormatEx;

using namespace field;

constexpr FieldDeclaration kFields[] = {
    {.label = "LabelBatteryPowerstatus", .designCaption = "Power Status:",
     .dutchCaption = L"Vermogenstoestand:", .row = 1,
     .value = ValueFrom<[](const Battery& b, const FormatEx&) {
         const auto s = b.PowerStatus();
         return List(s == 0 || s == 1, s);
     }>,
     .dutchList = L"Niet aangesloten;Aangesloten",
     .json = {"PowerStatus", JsonType::kListValue, "0 on battery, 1 on mains"}, .live = true},
    {.label = "LabelBatteryChargestatus", .designCaption = "Charge Status:", .dutchCaption = L"Laadtoestand:", .row = 2,
     .value = ValueFrom<[](const Battery& b, const FormatEx&) {
         const auto s = b.ChargeStatus();
         return List((s >= 0 && s <= 3) || s == 7, s);
     }>,
     .dutchList = L"Hoog;Laag;Kritisch;Aan het laden;;;;Geen systeembatterij",
     .json = {"ChargeStatus", JsonType::kListValue, "0 high, 1 low, 2 critical, 3 charging, 7 no system battery"},
     .live = true},
    {.label = "LabelBatteryLifepercent", .designCaption = "Life Percent:",
     .dutchCaption = L"Levenspercentage:", .row = 3,
     .value = ValueFrom<[](const Battery& b, const FormatEx&) {
         return Number(b.LifePercent() != Battery::kNotReported, b.LifePercent(), Decimal(b.LifePercent()) + L"%");
     }>,
     .json = {"LifePercent", JsonType::kInteger, "per cent"}, .live = true},
    {.label = "LabelBatteryLifetime", .designCaption = "Life Time:", .dutchCaption = L"Levensduur:", .row = 4,
     .value = ValueFrom<[](const Battery& b, const FormatEx& f) {
         const std::wstring text =
             b.LifeTime() ? format::TimeEx::Text(*b.LifeTime(), f.Regional().timeFormat) : std::wstring();
         auto value = NonEmpty(text);
         // The JSON document counts the time the page shows in seconds.
         if (value.valid) {
             const format::TimeOfDay& t = *b.LifeTime();
             value.number = std::int64_t{t.hours} * 3600 + t.minutes * 60 + t.seconds;
         }
         return value;
     }>,
     .json = {"LifeTime", JsonType::kInteger, "seconds of the time the page shows"}, .live = true},
};

}  // namespace

const CategoryRow& BatteryCategory() {
    static const SingleObjectKind<collectors::Battery> kKind(kFields, TimerRewrites::kLiveFields);
    static const CategoryRow kRow{
        .category = kBattery,
        .page = {.designTabText = "Battery",
                 .dutchTabText = L"Batterij",
                 .frameHeightTwips = 1905,
                 .multiDevice = false,
                 .rows = kFields},
        .kind = kKind,
        .refreshedByTimer = true,
    };
    return kRow;
}

}  // namespace app
