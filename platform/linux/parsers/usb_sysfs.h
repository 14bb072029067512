#pragma once
// USB devices as the kernel keeps them in /sys/bus/usb/devices, read without
// a single request reaching a device: the descriptors the kernel cached when
// it enumerated the device ("descriptors": the device descriptor followed by
// the active configuration with its interfaces and endpoints), and the
// strings it read then ("manufacturer", "product", "serial"). Attributes that
// make the kernel ask the device (bConfigurationValue and the like) are never
// read, and /dev/bus/usb is never opened.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "platform/usb_records.h"

namespace platform::linux_backend {

using base::Bytes;

inline constexpr std::string_view kUsbDevices = "/sys/bus/usb/devices";

// The place of a device in the bus topology, from its sysfs name: "1-1.5.2"
// is port 2 of hub "1-1.5", "1-1" port 1 of the root hub "usb1". Root hubs
// ("usb1") hang off the host controller, interfaces ("1-1:1.0") are not
// devices: both give nothing.
struct UsbPlace {
    std::string parent;
    std::uint32_t port = 0;
};
std::optional<UsbPlace> UsbPlaceOf(std::string_view name);
bool IsUsbRootHub(std::string_view name);

// The standard descriptors are declared once, with the hub's records.
using UsbDeviceDescriptorLayout = usb::DeviceDescriptorLayout;
using UsbConfigurationDescriptorLayout = usb::ConfigurationDescriptorLayout;
using UsbStringDescriptorLayout = usb::StringDescriptorLayout;
inline constexpr std::uint16_t kUsbLanguageEnglishUs = 0x0409;

// The two descriptors the "descriptors" file begins with, each checked for
// its length and type byte; a configuration descriptor is only given when a
// whole one follows the device descriptor.
struct CachedDescriptors {
    Bytes device;                       // 18 bytes
    std::optional<Bytes> configuration;  // 9 bytes
};
std::optional<CachedDescriptors> SplitCachedDescriptors(const std::string& file);

// A string descriptor (usb::StringDescriptor) for `text` as sysfs gives it:
// UTF-8, a trailing newline dropped.
Bytes EncodeStringDescriptor(std::string_view text);
// String descriptor 0: the list of language IDs.
Bytes LanguageListDescriptor(std::uint16_t language);

}  // namespace platform::linux_backend
