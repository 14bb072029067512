#include "app/pages/CollectorSet.h"

#include "app/pages/Categories.h"

namespace app {

const format::FormatEx& CollectorSet::Format() {
    if (!format_) format_ = std::make_unique<format::FormatEx>(machine_.GetRegionalSettings());
    return *format_;
}

DevicePage& CollectorSet::Devices(int category) {
    const CategoryRow& row = CategoryRowOf(category);
    auto& slot = pages_[static_cast<std::size_t>(category)];
    if (!slot) slot = row.kind.MakePage(machine_);
    return *slot;
}

void CollectorSet::SetDevices(int category, std::unique_ptr<DevicePage> page) {
    pages_.at(static_cast<std::size_t>(category)) = std::move(page);
}

}  // namespace app
