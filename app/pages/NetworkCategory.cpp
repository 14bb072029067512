#include "app/pages/NetworkCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/Network.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(3)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelNetworkName", "Name:", L"Naam:", 2},
    {"LabelNetworkVersion", "Version:", L"Versie:", 3},
    {"LabelNetworkMACaddress", "MAC Address:", L"MAC Adres:", 4},
};

using collectors::NetworkItem;
using format::FormatEx;

constexpr Field<NetworkItem> kFields[] = {
    {"LabelNetworkName", FieldKind::kText, [](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.Name()); }},
    {"LabelNetworkVersion", FieldKind::kText,
     [](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.Version()); }},
    {"LabelNetworkMACaddress", FieldKind::kText,
     [](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.MACAddress()); }},
};

std::span<const Field<NetworkItem>> NetworkFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelIndex(3)", "Index"},
    {"LabelNetworkName", "Name"},
    {"LabelNetworkVersion", "Version"},
    {"LabelNetworkMACaddress", "MACAddress"},
};

}  // namespace

const CategoryRow& NetworkCategory() {
    static const CollectionKind<collectors::Network> kKind(NetworkFields);
    static const CategoryRow kRow{
        .category = kNetwork,
        .page = {.designTabText = "Network",
                 .dutchTabText = L"Netwerk",
                 .frameHeightTwips = 1905,
                 .multiDevice = true,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
