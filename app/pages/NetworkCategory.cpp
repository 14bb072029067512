#include "app/pages/NetworkCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Network.h"

namespace app {

namespace {

using collectors::NetworkItem;
using format::FormatEx;

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(3)", 1),
    {.label = "LabelNetworkName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelNetworkVersion", .designCaption = "Version:", .dutchCaption = L"Versie:", .row = 3,
     .value = ValueFrom<[](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.Version()); }>,
     .json = {"Version", JsonType::kText}},
    {.label = "LabelNetworkMACaddress", .designCaption = "MAC Address:", .dutchCaption = L"MAC Adres:", .row = 4,
     .value = ValueFrom<[](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.MACAddress()); }>,
     .json = {"MACAddress", JsonType::kText, "as the page shows it"}, .identity = IdentityRole::kSerial},
};

}  // namespace

const CategoryRow& NetworkCategory() {
    static const CollectionKind<collectors::Network> kKind(kFields);
    static const CategoryRow kRow{
        .category = kNetwork,
        .page = {.designTabText = "Network",
                 .dutchTabText = L"Netwerk",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
