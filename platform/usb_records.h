#pragma once
// The records a USB hub is asked with and answers with, as bytes: the hub
// driver's request records, and the standard descriptors (USB 2.0, chapter
// 9) they carry. Every multi-byte field is little-endian. The backends write
// these records and the USB collector reads them, all from the declarations
// here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/bytes.h"

namespace platform::usb {

// Descriptor types: the high byte of wValue in a descriptor request.
inline constexpr std::uint8_t kDeviceDescriptorType = 1;
inline constexpr std::uint8_t kConfigurationDescriptorType = 2;
inline constexpr std::uint8_t kStringDescriptorType = 3;
inline constexpr std::uint8_t kHubDescriptorType = 0x29;

// The device descriptor (table 9-8).
struct DeviceDescriptorLayout {
    static constexpr std::size_t kSize = 18;
    static constexpr std::uint8_t kType = kDeviceDescriptorType;
    static constexpr std::size_t kLength = 0;  // bLength, then bDescriptorType
    static constexpr std::size_t kDescriptorType = 1;
    static constexpr std::size_t kBcdUsb = 2;
    static constexpr std::size_t kClass = 4;  // 0: each interface gives its own class
    static constexpr std::size_t kSubClass = 5;
    static constexpr std::size_t kProtocol = 6;
    static constexpr std::size_t kMaxPacketSize0 = 7;
    static constexpr std::size_t kVendor = 8;
    static constexpr std::size_t kProduct = 10;
    static constexpr std::size_t kBcdDevice = 12;
    static constexpr std::size_t kManufacturerIndex = 14;  // string descriptor indexes; 0 is none
    static constexpr std::size_t kProductIndex = 15;
    static constexpr std::size_t kSerialNumberIndex = 16;
    static constexpr std::size_t kConfigurationCount = 17;
};
static_assert(DeviceDescriptorLayout::kConfigurationCount + 1 == DeviceDescriptorLayout::kSize);

// The configuration descriptor (table 9-10) that leads the configuration's
// interface and endpoint descriptors.
struct ConfigurationDescriptorLayout {
    static constexpr std::size_t kSize = 9;
    static constexpr std::uint8_t kType = kConfigurationDescriptorType;
    static constexpr std::size_t kLength = 0;  // bLength, then bDescriptorType
    static constexpr std::size_t kDescriptorType = 1;
    static constexpr std::size_t kMaxPower = 8;  // in units of 2 mA, of 8 mA at SuperSpeed and above
};
static_assert(ConfigurationDescriptorLayout::kMaxPower + 1 == ConfigurationDescriptorLayout::kSize);

// A string descriptor (table 9-16): its length, its type, then UTF-16LE.
// String descriptor 0 holds the device's language IDs instead.
struct StringDescriptorLayout {
    static constexpr std::uint8_t kType = kStringDescriptorType;
    static constexpr std::size_t kLength = 0;  // bLength, then bDescriptorType
    static constexpr std::size_t kDescriptorType = 1;
    static constexpr std::size_t kHeader = 2;
    static constexpr std::size_t kFirstLanguage = kHeader;
    static constexpr std::size_t kMaxSize = 255;  // the length is one byte
};

// USB_NODE_INFORMATION: the hub's own descriptor; byte 6 is bNumberOfPorts.
struct NodeInformationLayout {
    static constexpr std::size_t kSize = 80;
    static constexpr std::size_t kDescriptorLength = 4;
    static constexpr std::size_t kDescriptorType = 5;
    static constexpr std::size_t kNumberOfPorts = 6;
    static constexpr std::uint8_t kHubDescriptorLength = 9;  // a hub of up to seven ports
};

// USB_NODE_CONNECTION_DRIVERKEY_NAME: port in, the name's length and the name
// (UTF-16LE) out.
struct DriverKeyNameLayout {
    static constexpr std::size_t kSize = 520;
    static constexpr std::size_t kConnectionIndex = 0;
    static constexpr std::size_t kActualLength = 4;  // the record's header (12) plus the name's bytes
    static constexpr std::size_t kName = 8;
    static constexpr std::size_t kHeader = 12;
};
// The header's size counts the name's first character, padded to 32 bits.
static_assert(DriverKeyNameLayout::kName + 4 == DriverKeyNameLayout::kHeader);

// USB_NODE_CONNECTION_INFORMATION_EX_V2: port, the record's length and the
// protocols the caller knows in; the protocols the port supports and the
// speed flags out.
struct ConnectionInformationV2Layout {
    static constexpr std::size_t kSize = 16;
    static constexpr std::size_t kConnectionIndex = 0;
    static constexpr std::size_t kLength = 4;
    static constexpr std::size_t kSupportedProtocols = 8;
    static constexpr std::size_t kFlags = 12;
    static constexpr std::uint32_t kUsb110 = 1, kUsb200 = 2, kUsb300 = 4;
    static constexpr std::uint32_t kOperatingAtSuperSpeedOrHigher = 1;
    static constexpr std::uint32_t kSuperSpeedCapableOrHigher = 2;
};
static_assert(ConnectionInformationV2Layout::kFlags + 4 == ConnectionInformationV2Layout::kSize);

// USB_DESCRIPTOR_REQUEST: port and setup packet in, the descriptor out.
struct DescriptorRequestLayout {
    static constexpr std::size_t kSize = 2060;
    static constexpr std::size_t kConnectionIndex = 0;
    static constexpr std::size_t kRequestType = 4;  // bmRequest
    static constexpr std::size_t kRequest = 5;      // bRequest
    static constexpr std::size_t kValue = 6;        // wValue: type * 256 + index
    static constexpr std::size_t kIndex = 8;        // wIndex: the language of a string
    static constexpr std::size_t kLength = 10;      // wLength
    static constexpr std::size_t kData = 12;
    static constexpr std::size_t kDataSize = kSize - kData;
};
static_assert(DescriptorRequestLayout::kLength + 2 == DescriptorRequestLayout::kData);
inline constexpr std::uint8_t kDeviceToHost = 0x80;
inline constexpr std::uint8_t kGetDescriptor = 6;

// wValue of a descriptor request: the type in its high byte, the index in its low byte.
constexpr std::uint16_t DescriptorValue(std::uint8_t type, std::uint8_t index) {
    return static_cast<std::uint16_t>(type << 8 | index);
}

// The head of a descriptor request record.
struct DescriptorRequest {
    std::uint32_t port = 0;
    std::uint8_t requestType = kDeviceToHost;
    std::uint8_t request = kGetDescriptor;
    std::uint8_t type = 0;   // wValue's high byte
    std::uint8_t index = 0;  // wValue's low byte
    std::uint16_t language = 0;
    std::uint16_t length = 0;
};
// False (and nothing written) when the record is shorter than its head.
bool WriteDescriptorRequest(std::span<std::uint8_t> record, const DescriptorRequest& request);
// Nothing when the record is shorter than its head.
std::optional<DescriptorRequest> ReadDescriptorRequest(std::span<const std::uint8_t> record);
// The hub's answer: as much of `descriptor` as wLength and the record hold,
// after the head; the byte count the hub reports.
std::uint32_t PutDescriptorReply(std::span<std::uint8_t> record, std::span<const std::uint8_t> descriptor,
                                 std::size_t length);

// The name after the head of a driver key name record, in UTF-16LE with its
// NUL as far as the record holds whole characters, and the ActualLength the
// hub reports; the bytes written, counted from the record's start. Each
// character is one UTF-16 unit (driver key names are single-byte text).
std::size_t PutDriverKeyName(std::span<std::uint8_t> record, std::wstring_view name, std::uint32_t actualLength);

// A string descriptor for `text`: length, type, UTF-16LE, characters beyond
// the basic plane as surrogate pairs. Text that does not fit the 255-byte
// descriptor is cut at a whole character.
base::Bytes StringDescriptor(std::wstring_view text);

}  // namespace platform::usb
