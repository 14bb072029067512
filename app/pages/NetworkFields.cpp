#include "app/pages/NetworkFields.h"

namespace app {

namespace {

using collectors::NetworkItem;
using format::FormatEx;

constexpr Field<NetworkItem> kFields[] = {
    {"LabelNetworkName", FieldKind::kText, [](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.Name()); }},
    {"LabelNetworkVersion", FieldKind::kText,
     [](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.Version()); }},
    {"LabelNetworkMACaddress", FieldKind::kText,
     [](const NetworkItem& n, const FormatEx&) { return field::NonEmpty(n.MACAddress()); }},
};

}  // namespace

std::span<const Field<NetworkItem>> NetworkFields() { return kFields; }

}  // namespace app
