#pragma once
// The battery page: the fields of the power supply and battery, its rows and
// Dutch texts, and its collector; the timer rewrites every field.

namespace app {

struct CategoryRow;

const CategoryRow& BatteryCategory();

}  // namespace app
