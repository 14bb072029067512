#include "app/pages/PrintersCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Printers.h"

namespace app {

namespace {

using collectors::PrinterItem;
using format::FormatEx;

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(7)", 1),
    {.label = "LabelPrintersName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const PrinterItem& p, const FormatEx&) { return field::NonEmpty(p.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelPrintersPort", .designCaption = "Port:", .dutchCaption = L"Poort:", .row = 3,
     .value = ValueFrom<[](const PrinterItem& p, const FormatEx&) { return field::NonEmpty(p.Port()); }>,
     .json = {"Port", JsonType::kText}},
    {.label = "LabelPrintersSelected", .designCaption = "Selected:", .dutchCaption = L"Geselecteerd:", .row = 4,
     .value = ValueFrom<[](const PrinterItem& p, const FormatEx&) { return field::BooleanList(p.Selected()); }>,
     .dutchList = L"Nee;Ja", .json = {"Selected", JsonType::kListValue, "the default printer: Nee;Ja"}},
};

// The default printer, or -1 when none is marked.
int PreferredPrinter(const collectors::Printers& printers) {
    for (std::int16_t i = 0; i < printers.Count(); ++i)
        if (printers.Item(i)->Selected()) return i;
    return -1;
}

}  // namespace

const CategoryRow& PrintersCategory() {
    static const CollectionKind<collectors::Printers> kKind(kFields, PreferredPrinter);
    static const CategoryRow kRow{
        .category = kPrinters,
        .page = {.designTabText = "Printers",
                 .dutchTabText = L"Printers",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
