#include "app/pages/USBDevicesCategory.h"

#include "app/pages/Categories.h"
#include "app/pages/FieldValues.h"
#include "collectors/USBDevices.h"

namespace app {

namespace {

using collectors::USBDeviceItem;
using format::FormatEx;

// Identifiers are unsigned 16-bit numbers (8086h, not a negative one).
FieldValue Identifier(std::uint16_t id) {
    return field::Number(id != 0, id, FormatEx::FormatHex(static_cast<std::int32_t>(id), 4, L"h"));
}

FieldValue Code(std::uint8_t code) { return field::Number(true, code, FormatEx::FormatHex(code, 2, L"h")); }

constexpr FieldDeclaration kFields[] = {
    IndexRow("LabelIndex(13)", 1),
    {.label = "LabelUSBdevicesName", .designCaption = "Name:", .dutchCaption = L"Naam:", .row = 2,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Name()); }>,
     .json = {"Name", JsonType::kText}, .identity = IdentityRole::kModel},
    {.label = "LabelUSBdevicesManufacturer", .designCaption = "Manufacturer:", .dutchCaption = L"Fabrikant:", .row = 3,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Manufacturer()); }>,
     .json = {"Manufacturer", JsonType::kText}},
    {.label = "LabelUSBdevicesSerialnumber", .designCaption = "Serial Number:",
     .dutchCaption = L"Serienummer:", .row = 4,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.SerialNumber()); }>,
     .json = {"SerialNumber", JsonType::kText}, .identity = IdentityRole::kSerial},
    {.label = "LabelUSBdevicesDescription", .designCaption = "Description:", .dutchCaption = L"Beschrijving:", .row = 5,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Description()); }>,
     .json = {"Description", JsonType::kText}},
    {.label = "LabelUSBdevicesVendorid", .designCaption = "Vendor ID:", .dutchCaption = L"Leverancier-ID:", .row = 6,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return Identifier(d.VendorID()); }>,
     .json = {"VendorID", JsonType::kUnsigned16, "unsigned 16-bit; the page shows it in hexadecimal"},
     .identity = IdentityRole::kModel},
    {.label = "LabelUSBdevicesProductid", .designCaption = "Product ID:", .dutchCaption = L"Produkt-ID:", .row = 7,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return Identifier(d.ProductID()); }>,
     .json = {"ProductID", JsonType::kUnsigned16, "unsigned 16-bit"}, .identity = IdentityRole::kModel},
    {.label = "LabelUSBdevicesPower", .designCaption = "Power:", .dutchCaption = L"Vermogen:", .row = 8,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) {
         return field::Number(true, d.Power(), field::Decimal(d.Power()) + L" mA");
     }>,
     .json = {"Power", JsonType::kAlwaysInteger, "mA"}},
    {.label = "LabelUSBdevicesClass", .designCaption = "Class:",
     .dutchCaption = L"Klasse:", .row = 9, .column = RowColumn::kLeft,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return Code(d.Class()); }>,
     .json = {"Class", JsonType::kByte}},
    {.label = "LabelUSBdevicesSubclass", .designCaption = "Subclass:",
     .dutchCaption = L"Subklasse:", .row = 9, .column = RowColumn::kRight,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return Code(d.Subclass()); }>,
     .json = {"Subclass", JsonType::kByte}},
    {.label = "LabelUSBdevicesPacketsize", .designCaption = "Packet Size:",
     .dutchCaption = L"Pakketgrootte:", .row = 10, .column = RowColumn::kLeft,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) {
         return field::Integer(d.PacketSize() != 0, d.PacketSize());
     }>,
     .json = {"PacketSize", JsonType::kInteger, "bytes"}},
    {.label = "LabelUSBdevicesProtocol", .designCaption = "Protocol:",
     .dutchCaption = L"Protocol:", .row = 10, .column = RowColumn::kRight,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return Code(d.Protocol()); }>,
     .json = {"Protocol", JsonType::kByte}},
    {.label = "LabelUSBdevicesRevision", .designCaption = "Revision:",
     .dutchCaption = L"Revisie:", .row = 11, .column = RowColumn::kLeft,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Revision()); }>,
     .json = {"Revision", JsonType::kText}},
    {.label = "LabelUSBdevicesVersion", .designCaption = "Version:",
     .dutchCaption = L"Versie:", .row = 11, .column = RowColumn::kRight,
     .value = ValueFrom<[](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Version()); }>,
     .json = {"Version", JsonType::kText}},
};

}  // namespace

const CategoryRow& USBDevicesCategory() {
    static const CollectionKind<collectors::USBDevices> kKind(kFields);
    static const CategoryRow kRow{
        .category = kUSBDevices,
        .page = {.designTabText = "USB Devices",
                 .dutchTabText = L"USB Apparaten",
                 .frameHeightTwips = 4410,
                 .multiDevice = true,
                 .rows = kFields},
        .kind = kKind,
    };
    return kRow;
}

}  // namespace app
