#include "platform/linux/areas/linux_network.h"

#include "base/bytes.h"
#include "base/codepage.h"
#include "platform/linux/io/ethtool_drvinfo.h"
#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

const NetworkCard* LinuxNetwork::CardOfHandle(ndis::Handle handle) {
    const auto& cards = Cards();
    if (handle < 1 || static_cast<std::size_t>(handle) > cards.size()) return nullptr;
    return &cards[static_cast<std::size_t>(handle) - 1];
}

ndis::Handle LinuxNetwork::CreateFile(std::string_view path) {
    if (path.substr(0, ndis::kDevicePrefix.size()) != ndis::kDevicePrefix) return ndis::kInvalidHandle;
    const auto name = path.substr(ndis::kDevicePrefix.size());
    const auto& cards = Cards();
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (cards[i].name == name) return static_cast<ndis::Handle>(i + 1);
    return ndis::kInvalidHandle;
}

void LinuxNetwork::CloseHandle(ndis::Handle) {}

std::optional<std::uint32_t> LinuxNetwork::DeviceIoControl(ndis::Handle handle, std::uint32_t code,
                                                           std::span<const std::uint8_t> in,
                                                           std::span<std::uint8_t> out) {
    const NetworkCard* card = CardOfHandle(handle);
    if (!card || code != ndis::kQueryGlobalStats || in.size() != ndis::kOidSize) return std::nullopt;
    switch (*base::ReadLe32(in, 0)) {
    case ndis::kCurrentAddress: return CurrentAddress(*card, out);
    case ndis::kVendorDescription: return Description(*card, out);
    case ndis::kDriverVersion: return DriverVersion(*card, out);
    default: return std::nullopt;
    }
}

std::optional<std::uint32_t> LinuxNetwork::CurrentAddress(const NetworkCard& card, std::span<std::uint8_t> out) {
    // "address" is the address in use; "perm_addr" would be the one burnt in.
    const auto text = fs_.ReadFile(std::string(kNetClass) + "/" + card.name + "/address");
    const auto address = text ? ParseHardwareAddress(*text) : std::nullopt;
    if (!address || out.size() < address->size()) return std::nullopt;
    std::copy(address->begin(), address->end(), out.begin());
    return static_cast<std::uint32_t>(address->size());
}

std::optional<std::uint32_t> LinuxNetwork::Description(const NetworkCard& card, std::span<std::uint8_t> out) {
    const auto uevent = fs_.ReadFile(std::string(kNetClass) + "/" + card.name + "/device/uevent");
    if (!uevent || out.empty()) return std::nullopt;
    const DeviceIdentity identity = ParseDeviceUevent(*uevent);
    std::optional<std::string> name;
    if (identity.bus == DeviceIdentity::Bus::kPci) name = ids_.PciName(identity.vendor, identity.device);
    if (identity.bus == DeviceIdentity::Bus::kUsb) name = ids_.UsbName(identity.vendor, identity.device);
    if (!name) name = identity.driver;
    if (name->empty()) return std::nullopt;
    std::string text = base::EncodeWindows1252(base::DecodeUtf8(*name));
    if (text.size() >= out.size()) text.resize(out.size() - 1);  // a text always ends with its NUL
    std::copy(text.begin(), text.end(), out.begin());
    out[text.size()] = 0;
    return static_cast<std::uint32_t>(text.size() + 1);
}

std::optional<std::uint32_t> LinuxNetwork::DriverVersion(const NetworkCard& card, std::span<std::uint8_t> out) {
    const std::string request = card.name + std::string(ethtool::kDrvinfoSuffix);
    const auto reply = replies_.Ask(ethtool::kChannel, request, [&] { return LiveDrvinfo(card.name); });
    const auto info = reply ? DecodeDrvinfo(*reply) : std::nullopt;
    const auto version = info ? ParseDriverVersion(info->version) : std::nullopt;
    if (!version || out.size() < 2) return std::nullopt;
    out[0] = version->minor;
    out[1] = version->major;
    return 2;
}

}  // namespace platform::linux_backend
