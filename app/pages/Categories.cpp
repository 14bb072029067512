#include "app/pages/Categories.h"

#include <stdexcept>
#include <string>

#include "app/pages/BatteryCategory.h"
#include "app/pages/DisplayCategory.h"
#include "app/pages/HardDrivesCategory.h"
#include "app/pages/JoysticksCategory.h"
#include "app/pages/KeyboardCategory.h"
#include "app/pages/LogicalDrivesCategory.h"
#include "app/pages/MemoryUsageCategory.h"
#include "app/pages/MouseCategory.h"
#include "app/pages/NetworkCategory.h"
#include "app/pages/OpticalDrivesCategory.h"
#include "app/pages/PortsCategory.h"
#include "app/pages/PrintersCategory.h"
#include "app/pages/ProcessorCategory.h"
#include "app/pages/SoundCategory.h"
#include "app/pages/USBDevicesCategory.h"

namespace app {

std::span<const CategoryRow> CategoryTable() {
    // One line per category, in tab order: a line's place is its category's number.
    static const CategoryRow kRows[] = {
        ProcessorCategory(),
        MemoryUsageCategory(),
        DisplayCategory(),
        NetworkCategory(),
        SoundCategory(),
        KeyboardCategory(),
        MouseCategory(),
        PrintersCategory(),
        JoysticksCategory(),
        HardDrivesCategory(),
        OpticalDrivesCategory(),
        LogicalDrivesCategory(),
        PortsCategory(),
        USBDevicesCategory(),
        BatteryCategory(),
    };
    static_assert(std::size(kRows) == kCategoryCount);
    return kRows;
}

const CategoryRow& CategoryRowOf(int category) {
    const auto rows = CategoryTable();
    if (category < 0 || category >= kCategoryCount) throw std::out_of_range("no category " + std::to_string(category));
    return rows[static_cast<std::size_t>(category)];
}

const CategoryPage& Page(int category) { return CategoryRowOf(category).page; }

std::span<const FieldDeclaration> Fields(const CategoryRow& category) { return category.page.rows; }

const FieldDeclaration& FieldOf(const CategoryRow& category, std::string_view captionLabel) {
    for (const FieldDeclaration& field : Fields(category))
        if (captionLabel == field.label) return field;
    throw std::out_of_range("no field " + std::string(captionLabel) + " on page " + category.page.designTabText);
}

}  // namespace app
