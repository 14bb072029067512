#include "app/pages/PortsCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Ports.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(12)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelPortsName", "Name:", L"Naam:", 2},
    {"LabelPortsDescription", "Description:", L"Beschrijving:", 3},
    {"LabelPortsMonitor", "Monitor:", L"Monitor:", 4},
};

using collectors::PortItem;

constexpr Field<PortItem> kFields[] = {
    {"LabelPortsName", FieldKind::kText,
     [](const PortItem& p, const format::FormatEx&) { return field::NonEmpty(p.Name()); }},
    {"LabelPortsDescription", FieldKind::kText,
     [](const PortItem& p, const format::FormatEx&) { return field::NonEmpty(p.Description()); }, true},
    {"LabelPortsMonitor", FieldKind::kText,
     [](const PortItem& p, const format::FormatEx&) { return field::NonEmpty(p.Monitor()); }, true},
};

std::span<const Field<PortItem>> PortsFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelIndex(12)", "Index"},
    {"LabelPortsName", "Name"},
    {"LabelPortsDescription", "Description"},
    {"LabelPortsMonitor", "Monitor"},
};

}  // namespace

const CategoryRow& PortsCategory() {
    static const CollectionKind<collectors::Ports> kKind(PortsFields);
    static const CategoryRow kRow{
        .category = kPorts,
        .page = {.designTabText = "Ports",
                 .dutchTabText = L"Poorten",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
