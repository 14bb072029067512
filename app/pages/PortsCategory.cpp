#include "app/pages/PortsCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Ports.h"

namespace app {

namespace {

using collectors::PortItem;
using format::FormatEx;

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(12)", 1),
    {.label = "LabelPortsName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const PortItem& p, const FormatEx&) { return field::NonEmpty(p.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kPlace},
    {.label = "LabelPortsDescription", .designCaption = "Description:", .dutchCaption = L"Beschrijving:", .row = 3,
     .value = ValueFrom<[](const PortItem& p, const FormatEx&) { return field::NonEmpty(p.Description()); }>,
     .inTextReport = false, .json = {"Description", JsonType::kText, "shown on the page, not in the text report"}},
    {.label = "LabelPortsMonitor", .designCaption = "Monitor:", .dutchCaption = L"Monitor:", .row = 4,
     .value = ValueFrom<[](const PortItem& p, const FormatEx&) { return field::NonEmpty(p.Monitor()); }>,
     .inTextReport = false, .json = {"Monitor", JsonType::kText, "shown on the page, not in the text report"}},
};

}  // namespace

const CategoryRow& PortsCategory() {
    static const CollectionKind<collectors::Ports> kKind(kFields);
    static const CategoryRow kRow{
        .category = kPorts,
        .page = {.designTabText = "Ports",
                 .dutchTabText = L"Poorten",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
