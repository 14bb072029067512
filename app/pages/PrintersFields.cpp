#include "app/pages/PrintersFields.h"

namespace app {

namespace {

using collectors::PrinterItem;

constexpr Field<PrinterItem> kFields[] = {
    {"LabelPrintersName", FieldKind::kText,
     [](const PrinterItem& p, const format::FormatEx&) { return field::NonEmpty(p.Name()); }},
    {"LabelPrintersPort", FieldKind::kText,
     [](const PrinterItem& p, const format::FormatEx&) { return field::NonEmpty(p.Port()); }},
    {"LabelPrintersSelected", FieldKind::kList,
     [](const PrinterItem& p, const format::FormatEx&) { return field::BooleanList(p.Selected()); }},
};

}  // namespace

std::span<const Field<PrinterItem>> PrintersFields() { return kFields; }

int PreferredPrinter(const collectors::Printers& printers) {
    for (std::int16_t i = 0; i < printers.Count(); ++i)
        if (printers.Item(i)->Selected()) return i;
    return -1;
}

}  // namespace app
