// A USB 3 stick on port 3 of a root hub, every hub reply built byte by byte
// from the published layouts of the hub requests (USB_NODE_INFORMATION,
// USB_NODE_CONNECTION_DRIVERKEY_NAME, USB_DESCRIPTOR_REQUEST,
// USB_NODE_CONNECTION_INFORMATION_EX_V2) and the USB 3.2 descriptors.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "collectors/USBDevices.h"
#include "bare_machine.h"
#include "platform/machine.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kHubHandle = 3;
constexpr std::uint32_t kStick = 20, kHub = 10;
const std::string kStickKey = "{36fc9e60-c465-11cf-8056-444553540000}\\0007";

Bytes Utf16(std::string_view text) {
    Bytes out;
    for (const char c : text) out.insert(out.end(), {static_cast<std::uint8_t>(c), 0});
    return out;
}

Bytes StringDescriptor(std::string_view text) {
    Bytes out{static_cast<std::uint8_t>(2 + text.size() * 2), 3};
    const Bytes units = Utf16(text);
    out.insert(out.end(), units.begin(), units.end());
    return out;
}

class DocumentedHub final : public platform::UsbServices {
public:
    std::uint32_t flags = 3;  // operating at SuperSpeed or higher, SuperSpeed capable
    std::string hubPath;
    Bytes speedRequest;

    platform::usb::DeviceList SetupDiGetClassDevs(std::string_view, std::uint32_t) override { return 1; }
    std::optional<platform::usb::DeviceInstance> SetupDiEnumDeviceInfo(platform::usb::DeviceList,
                                                                       std::uint32_t index) override {
        return index == 0 ? std::optional(kStick) : std::nullopt;
    }
    std::optional<std::string> SetupDiGetDeviceRegistryProperty(platform::usb::DeviceList,
                                                                platform::usb::DeviceInstance device,
                                                                std::uint32_t property) override {
        if (device != kStick) return std::nullopt;
        if (property == 9) return kStickKey;  // SPDRP_DRIVER
        if (property == 0) return "USB-apparaat voor massaopslag";  // SPDRP_DEVICEDESC
        return std::nullopt;
    }
    void SetupDiDestroyDeviceInfoList(platform::usb::DeviceList) override {}
    std::optional<platform::usb::DeviceInstance> CM_Get_Parent(platform::usb::DeviceInstance device) override {
        return device == kStick ? std::optional(kHub) : std::nullopt;
    }
    std::optional<std::string> CM_Get_Device_ID(platform::usb::DeviceInstance device) override {
        return device == kHub ? std::optional<std::string>("USB\\ROOT_HUB30\\4&2F4E1C0&0&0") : std::nullopt;
    }
    platform::usb::Handle CreateFile(std::string_view path) override {
        hubPath = path;
        return kHubHandle;
    }
    void CloseHandle(platform::usb::Handle) override {}

    std::optional<std::uint32_t> DeviceIoControl(platform::usb::Handle hub, std::uint32_t code,
                                                 std::span<std::uint8_t> record) override {
        if (hub != kHubHandle) return std::nullopt;
        const std::uint32_t port = *base::ReadLe32(record, 0);
        switch (code) {
            case 0x00220408: {  // IOCTL_USB_GET_NODE_INFORMATION
                // NodeType UsbHub (0), then USB_HUB_DESCRIPTOR: bDescriptorLength,
                // bDescriptorType, bNumberOfPorts, wHubCharacteristics,
                // bPowerOnToPowerGood, bHubControlCurrent, bRemoveAndPowerMask[64];
                // then HubIsBusPowered.
                Bytes reply(76, 0);
                reply[4] = 9, reply[5] = 0x29, reply[6] = 4, reply[9] = 50;
                return Answer(record, reply);
            }
            case 0x00220420: {  // IOCTL_USB_GET_NODE_CONNECTION_DRIVERKEY_NAME
                if (port != 1 && port != 3) return std::nullopt;  // nothing on ports 2 and 4
                const std::string key = port == 3 ? kStickKey : "{36fc9e60-c465-11cf-8056-444553540000}\\0003";
                // ConnectionIndex, ActualLength (the length of the whole
                // structure: the two ULONGs and the name with its NUL), the name.
                Bytes reply(8, 0);
                base::WriteLe32(reply, 0, port);
                const Bytes name = Utf16(key);
                reply.insert(reply.end(), name.begin(), name.end());
                reply.insert(reply.end(), {0, 0});
                base::WriteLe32(reply, 4, static_cast<std::uint32_t>(reply.size()));
                return Answer(record, reply);
            }
            case 0x00220410: {  // IOCTL_USB_GET_DESCRIPTOR_FROM_NODE_CONNECTION
                // ConnectionIndex, the setup packet (bmRequest, bRequest, wValue,
                // wIndex, wLength), then the descriptor.
                if (port != 3 || record[4] != 0x80 || record[5] != 6) return std::nullopt;
                const std::uint16_t value = *base::ReadLe16(record, 6);
                const std::uint16_t length = *base::ReadLe16(record, 10);
                const Bytes descriptor = Descriptor(static_cast<std::uint8_t>(value >> 8), value & 0xFF);
                if (descriptor.empty()) return std::nullopt;
                Bytes reply(record.begin(), record.begin() + 12);
                reply.insert(reply.end(), descriptor.begin(),
                             descriptor.begin() + std::min<std::size_t>(length, descriptor.size()));
                return Answer(record, reply);
            }
            case 0x0022045C: {  // IOCTL_USB_GET_NODE_CONNECTION_INFORMATION_EX_V2
                // ConnectionIndex, Length, SupportedUsbProtocols, Flags.
                speedRequest.assign(record.begin(), record.begin() + std::min<std::size_t>(16, record.size()));
                Bytes reply(16, 0);
                base::WriteLe32(reply, 0, port);
                base::WriteLe32(reply, 4, 16);
                base::WriteLe32(reply, 8, 7);  // USB 1.1, 2.0 and 3.0
                base::WriteLe32(reply, 12, flags);
                return Answer(record, reply);
            }
            default: return std::nullopt;
        }
    }

private:
    static std::optional<std::uint32_t> Answer(std::span<std::uint8_t> record, const Bytes& reply) {
        if (reply.size() > record.size()) return std::nullopt;
        std::copy(reply.begin(), reply.end(), record.begin());
        return static_cast<std::uint32_t>(reply.size());
    }

    static Bytes Descriptor(std::uint8_t type, std::uint8_t index) {
        switch (type) {
            case 1:  // bcdUSB 3.20, class 0, bMaxPacketSize0 2^9, vendor 0781, product 5581, bcdDevice 1.00
                return {0x12, 0x01, 0x20, 0x03, 0, 0, 0, 0x09, 0x81, 0x07, 0x81, 0x55, 0x00, 0x01, 1, 2, 3, 1};
            case 2:  // the first configuration, bMaxPower 0x70: 896 mA at SuperSpeed
                return {0x09, 0x02, 0x2C, 0x00, 0x01, 0x01, 0x00, 0x80, 0x70};
            case 3:
                if (index == 0) return {4, 3, 0x09, 0x04};  // English (United States)
                if (index == 1) return StringDescriptor("SanDisk");
                if (index == 2) return StringDescriptor("Ultra");
                if (index == 3) return StringDescriptor("4C530001230517");
                return {};
            default: return {};
        }
    }
};

// A machine that has nothing but the hub.
class HubMachine final : public testing_support::BareMachine {
public:
    DocumentedHub hub;
    platform::UsbServices& Usb() override { return hub; }
};

TEST(DocumentedHubReplies, SuperSpeedStickOnPortThreeWithEveryField) {
    HubMachine machine;
    const collectors::USBDevices usb(machine);
    EXPECT_EQ(machine.hub.hubPath, "\\\\.\\USB#ROOT_HUB30#4&2F4E1C0&0&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}");
    ASSERT_EQ(usb.Count(), 1) << "the driver key name on port 3 is the stick's";
    const auto* d = usb.Item(0);
    EXPECT_EQ(d->Name(), L"Ultra");
    EXPECT_EQ(d->Manufacturer(), L"SanDisk");
    EXPECT_EQ(d->SerialNumber(), L"4C530001230517");
    EXPECT_EQ(d->Description(), L"USB-apparaat voor massaopslag");
    EXPECT_EQ(d->VendorID(), 0x0781);
    EXPECT_EQ(d->ProductID(), 0x5581);
    EXPECT_EQ(d->Class(), 0);
    EXPECT_EQ(d->Subclass(), 0);
    EXPECT_EQ(d->Protocol(), 0);
    EXPECT_EQ(d->PacketSize(), 9);
    EXPECT_EQ(d->Revision(), L"1.00");
    EXPECT_EQ(d->Version(), L"3.2");
    EXPECT_EQ(d->Power(), 896) << "bMaxPower 0x70 in 8 mA units at SuperSpeed";

    // The speed request: port 3, the record's length 16, the protocols asked
    // for including USB 3.0.
    ASSERT_EQ(machine.hub.speedRequest.size(), 16u);
    EXPECT_EQ(*base::ReadLe32(machine.hub.speedRequest, 4), 16u);
    EXPECT_NE(*base::ReadLe32(machine.hub.speedRequest, 8) & 4u, 0u);
}

TEST(DocumentedHubReplies, TheSameStickOnAHighSpeedConnectionCountsTwoMilliamperes) {
    HubMachine machine;
    machine.hub.flags = 2;  // SuperSpeed capable, not operating at it
    const collectors::USBDevices usb(machine);
    ASSERT_EQ(usb.Count(), 1);
    EXPECT_EQ(usb.Item(0)->Power(), 224);
}

}  // namespace
