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

#include "platform/linux/io/capture_log.h"

namespace platform::linux_backend {

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

// Standard descriptor layouts (USB 2.0, chapter 9).
struct UsbDeviceDescriptorLayout {
    static constexpr std::size_t kSize = 18;
    static constexpr std::uint8_t kType = 1;
    static constexpr std::size_t kManufacturerIndex = 14;
    static constexpr std::size_t kProductIndex = 15;
    static constexpr std::size_t kSerialNumberIndex = 16;
};
struct UsbConfigurationDescriptorLayout {
    static constexpr std::size_t kSize = 9;
    static constexpr std::uint8_t kType = 2;
};
struct UsbStringDescriptorLayout {
    static constexpr std::uint8_t kType = 3;
    static constexpr std::size_t kHeader = 2;
    static constexpr std::size_t kMaxSize = 255;  // the length is one byte
};
inline constexpr std::uint16_t kUsbLanguageEnglishUs = 0x0409;

// The two descriptors the "descriptors" file begins with, each checked for
// its length and type byte; a configuration descriptor is only given when a
// whole one follows the device descriptor.
struct CachedDescriptors {
    Bytes device;                       // 18 bytes
    std::optional<Bytes> configuration;  // 9 bytes
};
std::optional<CachedDescriptors> SplitCachedDescriptors(const std::string& file);

// A string descriptor for `text` (UTF-8, as sysfs gives it, a trailing
// newline dropped): length, type 3, UTF-16LE. Text that does not fit the
// 255-byte descriptor is cut at a whole character.
Bytes EncodeStringDescriptor(std::string_view text);
// String descriptor 0: the list of language IDs.
Bytes LanguageListDescriptor(std::uint16_t language);

}  // namespace platform::linux_backend
