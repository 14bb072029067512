#include "app/pages/PortsFields.h"

namespace app {

namespace {

using collectors::PortItem;

constexpr Field<PortItem> kFields[] = {
    {"LabelPortsName", FieldKind::kText,
     [](const PortItem& p, const format::FormatEx&) { return field::NonEmpty(p.Name()); }},
    {"LabelPortsDescription", FieldKind::kText,
     [](const PortItem& p, const format::FormatEx&) { return field::NonEmpty(p.Description()); }, true},
    {"LabelPortsMonitor", FieldKind::kText,
     [](const PortItem& p, const format::FormatEx&) { return field::NonEmpty(p.Monitor()); }, true},
};

}  // namespace

std::span<const Field<PortItem>> PortsFields() { return kFields; }

}  // namespace app
