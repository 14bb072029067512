#pragma once
// The USB devices: every present device that its parent hub reports on one of
// its ports becomes one item, external hubs included, with its descriptors'
// identification, its strings and its power draw.

#include <cstdint>
#include <string>

#include "collectors/Collection.h"
#include "platform/machine.h"
#include "platform/usb_services.h"

namespace collectors {

class USBDeviceItem {
public:
    const std::wstring& Description() const { return description_; }
    const std::wstring& Manufacturer() const { return manufacturer_; }
    const std::wstring& Name() const { return name_; }
    const std::wstring& SerialNumber() const { return serialNumber_; }
    std::uint16_t VendorID() const { return vendorID_; }
    std::uint16_t ProductID() const { return productID_; }
    std::uint8_t Class() const { return class_; }
    std::uint8_t Subclass() const { return subclass_; }
    std::uint8_t Protocol() const { return protocol_; }
    std::uint8_t PacketSize() const { return packetSize_; }
    const std::wstring& Revision() const { return revision_; }  // bcdDevice, "1.10"
    const std::wstring& Version() const { return version_; }    // bcdUSB, "2.0"
    std::int16_t Power() const { return power_; }               // mA

private:
    friend class USBDevices;
    std::wstring description_, manufacturer_, name_, serialNumber_, revision_, version_;
    std::uint16_t vendorID_ = 0, productID_ = 0;
    std::uint8_t class_ = 0, subclass_ = 0, protocol_ = 0, packetSize_ = 0;
    std::int16_t power_ = 0;
};

class USBDevices : public Collection<USBDeviceItem> {
public:
    explicit USBDevices(platform::Machine& machine);

    // A binary-coded-decimal word as text with `decimals` (1 or 2) places:
    // 0x0110 gives "1.10" or "1.1", 0x0001 "0.01". Words with the digits A-F
    // are not decimal: their hexadecimal digits are written as they stand,
    // 0x01A0 giving "1.A0" or "1.A".
    static std::wstring BcdText(std::uint16_t bcd, int decimals);
};

}  // namespace collectors
