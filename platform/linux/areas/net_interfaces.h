#pragma once
// Network interfaces as sysfs shows them (/sys/class/net/<name>). Only
// interfaces backed by a device count as network cards: the loopback,
// bridges, veth pairs, tunnels and other software interfaces have no
// "device" link and are left out.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/io/root_fs.h"

namespace platform::linux_backend {

inline constexpr std::string_view kNetClass = "/sys/class/net";

struct NetworkCard {
    std::string name;  // "eth0"
    std::uint32_t ifindex = 0;
};

// The cards in ifindex order (the order the kernel made them in); an
// interface whose ifindex cannot be read comes last, by name.
std::vector<NetworkCard> ListNetworkCards(const RootFs& fs);

using HardwareAddress = std::array<std::uint8_t, 6>;
// "02:fc:00:00:00:01" (the "address" attribute); nothing for any other
// length or form.
std::optional<HardwareAddress> ParseHardwareAddress(std::string_view text);

// What a device's uevent file says about it: the bus identity (PCI_ID for a
// PCI function, PRODUCT for a USB interface or device) and the driver bound.
struct DeviceIdentity {
    enum class Bus { kNone, kPci, kUsb };
    Bus bus = Bus::kNone;
    std::uint16_t vendor = 0;
    std::uint16_t device = 0;
    std::string driver;
};
DeviceIdentity ParseDeviceUevent(std::string_view uevent);

}  // namespace platform::linux_backend
