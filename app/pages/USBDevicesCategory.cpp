#include "app/pages/USBDevicesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/USBDevices.h"

namespace app {

namespace {

using C = RowColumn;

constexpr PageRow kRows[] = {
    {"LabelIndex(13)", "Index:", L"Index:", 1, C::kFull, true},
    {"LabelUSBdevicesName", "Name:", L"Naam:", 2},
    {"LabelUSBdevicesManufacturer", "Manufacturer:", L"Fabrikant:", 3},
    {"LabelUSBdevicesSerialnumber", "Serial Number:", L"Serienummer:", 4},
    {"LabelUSBdevicesDescription", "Description:", L"Beschrijving:", 5},
    {"LabelUSBdevicesVendorid", "Vendor ID:", L"Leverancier-ID:", 6},
    {"LabelUSBdevicesProductid", "Product ID:", L"Produkt-ID:", 7},
    {"LabelUSBdevicesPower", "Power:", L"Vermogen:", 8},
    {"LabelUSBdevicesClass", "Class:", L"Klasse:", 9, C::kLeft},
    {"LabelUSBdevicesSubclass", "Subclass:", L"Subklasse:", 9, C::kRight},
    {"LabelUSBdevicesPacketsize", "Packet Size:", L"Pakketgrootte:", 10, C::kLeft},
    {"LabelUSBdevicesProtocol", "Protocol:", L"Protocol:", 10, C::kRight},
    {"LabelUSBdevicesRevision", "Revision:", L"Revisie:", 11, C::kLeft},
    {"LabelUSBdevicesVersion", "Version:", L"Versie:", 11, C::kRight},
};

using collectors::USBDeviceItem;
using format::FormatEx;

// Identifiers are unsigned 16-bit numbers (8086h, not a negative one).
FieldValue Identifier(std::uint16_t id) {
    return field::Number(id != 0, id, FormatEx::FormatHex(static_cast<std::int32_t>(id), 4, L"h"));
}

FieldValue Code(std::uint8_t code) { return field::Number(true, code, FormatEx::FormatHex(code, 2, L"h")); }

constexpr Field<USBDeviceItem> kFields[] = {
    {"LabelUSBdevicesName", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Name()); }},
    {"LabelUSBdevicesManufacturer", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Manufacturer()); }},
    {"LabelUSBdevicesSerialnumber", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.SerialNumber()); }},
    {"LabelUSBdevicesDescription", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Description()); }},
    {"LabelUSBdevicesVendorid", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return Identifier(d.VendorID()); }},
    {"LabelUSBdevicesProductid", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return Identifier(d.ProductID()); }},
    {"LabelUSBdevicesPower", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::Number(true, d.Power(), field::Decimal(d.Power()) + L" mA"); }},
    {"LabelUSBdevicesClass", FieldKind::kText, [](const USBDeviceItem& d, const FormatEx&) { return Code(d.Class()); }},
    {"LabelUSBdevicesSubclass", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return Code(d.Subclass()); }},
    {"LabelUSBdevicesPacketsize", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) {
         return field::Integer(d.PacketSize() != 0, d.PacketSize());
     }},
    {"LabelUSBdevicesProtocol", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return Code(d.Protocol()); }},
    {"LabelUSBdevicesRevision", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Revision()); }},
    {"LabelUSBdevicesVersion", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Version()); }},
};

std::span<const Field<USBDeviceItem>> USBDevicesFields() { return kFields; }

constexpr FieldKey kKeys[] = {
    {"LabelIndex(13)", "Index"},
    {"LabelUSBdevicesName", "Name"},
    {"LabelUSBdevicesManufacturer", "Manufacturer"},
    {"LabelUSBdevicesSerialnumber", "SerialNumber"},
    {"LabelUSBdevicesDescription", "Description"},
    {"LabelUSBdevicesVendorid", "VendorID"},
    {"LabelUSBdevicesProductid", "ProductID"},
    {"LabelUSBdevicesPower", "Power"},
    {"LabelUSBdevicesClass", "Class"},
    {"LabelUSBdevicesSubclass", "Subclass"},
    {"LabelUSBdevicesPacketsize", "PacketSize"},
    {"LabelUSBdevicesProtocol", "Protocol"},
    {"LabelUSBdevicesRevision", "Revision"},
    {"LabelUSBdevicesVersion", "Version"},
};

}  // namespace

const CategoryRow& USBDevicesCategory() {
    static const CollectionKind<collectors::USBDevices> kKind(USBDevicesFields);
    static const CategoryRow kRow{
        .category = kUSBDevices,
        .page = {.designTabText = "USB Devices",
                 .dutchTabText = L"USB Apparaten",
                 .frameHeightTwips = 4410,
                 .multiDevice = true,
                 .rows = kRows},
        .kind = kKind,
        .fieldKeys = kKeys,
    };
    return kRow;
}

}  // namespace app
