#include "app/pages/PrintersCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Printers.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(7)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelPrintersName", "Name:", L"Naam:", 2},
    {"LabelPrintersPort", "Port:", L"Poort:", 3},
    {"LabelPrintersSelected", "Selected:", L"Geselecteerd:", 4},
};

constexpr ValueLabelList kLists[] = {
    {"LabelPrintersSelectedvalue", L"Nee;Ja"},
};

using collectors::PrinterItem;

constexpr Field<PrinterItem> kFields[] = {
    {"LabelPrintersName", FieldKind::kText,
     [](const PrinterItem& p, const format::FormatEx&) { return field::NonEmpty(p.Name()); }},
    {"LabelPrintersPort", FieldKind::kText,
     [](const PrinterItem& p, const format::FormatEx&) { return field::NonEmpty(p.Port()); }},
    {"LabelPrintersSelected", FieldKind::kList,
     [](const PrinterItem& p, const format::FormatEx&) { return field::BooleanList(p.Selected()); }},
};

std::span<const Field<PrinterItem>> PrintersFields() { return kFields; }

// The default printer, or -1 when none is marked.
int PreferredPrinter(const collectors::Printers& printers) {
    for (std::int16_t i = 0; i < printers.Count(); ++i)
        if (printers.Item(i)->Selected()) return i;
    return -1;
}

constexpr FieldKey kKeys[] = {
    {"LabelIndex(7)", "Index"},
    {"LabelPrintersName", "Name"},
    {"LabelPrintersPort", "Port"},
    {"LabelPrintersSelected", "Selected"},
};

}  // namespace

const CategoryRow& PrintersCategory() {
    static const CollectionKind<collectors::Printers> kKind(PrintersFields, nullptr, PreferredPrinter);
    static const CategoryRow kRow{
        .category = kPrinters,
        .page = {.designTabText = "Printers",
                 .dutchTabText = L"Printers",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kRows,
                 .lists = kLists},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
