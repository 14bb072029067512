#include "app/pages/USBDevicesFields.h"

namespace app {

namespace {

using collectors::USBDeviceItem;
using format::FormatEx;

// Identifiers are unsigned 16-bit numbers (8086h, not a negative one).
FieldValue Identifier(std::uint16_t id) {
    return field::Text(id != 0, FormatEx::FormatHex(static_cast<std::int32_t>(id), 4, L"h"));
}

FieldValue Code(std::uint8_t code) { return field::Always(FormatEx::FormatHex(code, 2, L"h")); }

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
     [](const USBDeviceItem& d, const FormatEx&) { return field::Always(field::Decimal(d.Power()) + L" mA"); }},
    {"LabelUSBdevicesClass", FieldKind::kText, [](const USBDeviceItem& d, const FormatEx&) { return Code(d.Class()); }},
    {"LabelUSBdevicesSubclass", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return Code(d.Subclass()); }},
    {"LabelUSBdevicesPacketsize", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) {
         return field::Text(d.PacketSize() != 0, field::Decimal(d.PacketSize()));
     }},
    {"LabelUSBdevicesProtocol", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return Code(d.Protocol()); }},
    {"LabelUSBdevicesRevision", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Revision()); }},
    {"LabelUSBdevicesVersion", FieldKind::kText,
     [](const USBDeviceItem& d, const FormatEx&) { return field::NonEmpty(d.Version()); }},
};

}  // namespace

std::span<const Field<USBDeviceItem>> USBDevicesFields() { return kFields; }

}  // namespace app
