// What Linux tells about a network card: the kernel's driver information,
// the hardware address and the device behind the interface.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include "collectors/Network.h"
#include "platform/linux/areas/linux_machine.h"

#include "platform/linux/io/ethtool_drvinfo.h"
#include "platform/linux/areas/net_interfaces.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"
#include "support.h"

using namespace platform::linux_backend;

namespace {

Bytes Drvinfo(const std::string& driver, const std::string& version) {
    Bytes reply(EthtoolDrvinfoLayout::kSize, 0);
    reply[0] = 3;
    std::memcpy(reply.data() + EthtoolDrvinfoLayout::kDriver, driver.data(), std::min<std::size_t>(driver.size(), 32));
    std::memcpy(reply.data() + EthtoolDrvinfoLayout::kVersion, version.data(), std::min<std::size_t>(version.size(), 32));
    return reply;
}

}  // namespace

TEST(NetworkEthtool, DriverInformationReply) {
    const auto info = DecodeDrvinfo(Drvinfo("e1000e", "3.2.6-k"));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->driver, "e1000e");
    EXPECT_EQ(info->version, "3.2.6-k");
    const auto full = DecodeDrvinfo(Drvinfo(std::string(32, 'd'), std::string(32, '7')));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->driver.size(), 32u) << "a field without a NUL ends at its end, not in the next field";
    EXPECT_EQ(full->version.size(), 32u);

    auto wrongCommand = Drvinfo("e1000e", "1.0");
    wrongCommand[0] = 4;
    EXPECT_FALSE(DecodeDrvinfo(wrongCommand));
    auto shortReply = Drvinfo("e1000e", "1.0");
    shortReply.pop_back();
    EXPECT_FALSE(DecodeDrvinfo(shortReply));
    EXPECT_FALSE(DecodeDrvinfo({}));
}

TEST(NetworkEthtool, VersionTextGivesMajorAndMinor) {
    struct Case {
        const char* text;
        int major;  // -1: no version
        int minor;
    };
    const Case cases[] = {
        {"3.2.6-k", 3, 2},    {"6.1.0-13-amd64", 6, 1}, {"1.0.0", 1, 0},   {"2", 2, 0},
        {"k5.10", 5, 10},     {"0.0", 0, 0},            {"255.255", 255, 255},
        {"1.", 1, 0},         {"v1.x", 1, 0},           {"", -1, 0},       {"unknown", -1, 0},
        {"256.1", -1, 0},     {"1.256", -1, 0},         {"20230101", -1, 0},
    };
    for (const auto& c : cases) {
        const auto version = ParseDriverVersion(c.text);
        if (c.major < 0) {
            EXPECT_FALSE(version) << c.text;
            continue;
        }
        ASSERT_TRUE(version) << c.text;
        EXPECT_EQ(version->major, c.major) << c.text;
        EXPECT_EQ(version->minor, c.minor) << c.text;
    }
}

TEST(NetworkInterfaces, HardwareAddressAttribute) {
    const auto address = ParseHardwareAddress("02:fc:00:00:00:01\n");
    ASSERT_TRUE(address);
    EXPECT_EQ(*address, (HardwareAddress{0x02, 0xFC, 0, 0, 0, 1}));
    EXPECT_EQ(*ParseHardwareAddress("FF:FF:FF:FF:FF:FF"), (HardwareAddress{255, 255, 255, 255, 255, 255}));
    for (const char* bad : {"", "02:fc:00:00:00", "02:fc:00:00:00:01:02", "2:fc:00:00:00:01", "02-fc-00-00-00-01",
                            "02:fc:00:00:00:0g",
                            "80:00:02:08:fe:80:00:00:00:00:00:00:00:02:c9:03:00:0a:bc:de"})
        EXPECT_FALSE(ParseHardwareAddress(bad)) << bad;
}

TEST(NetworkInterfaces, DeviceUeventOfPciUsbAndVirtualDevices) {
    const auto pci = ParseDeviceUevent("DRIVER=e1000e\nPCI_CLASS=20000\nPCI_ID=8086:15B8\nPCI_SUBSYS_ID=1028:07A1\n");
    EXPECT_EQ(pci.bus, DeviceIdentity::Bus::kPci);
    EXPECT_EQ(pci.vendor, 0x8086);
    EXPECT_EQ(pci.device, 0x15B8);
    EXPECT_EQ(pci.driver, "e1000e");
    const auto usb = ParseDeviceUevent("DEVTYPE=usb_interface\nDRIVER=r8152\nPRODUCT=bda/8153/3000\nTYPE=0/0/0\n");
    EXPECT_EQ(usb.bus, DeviceIdentity::Bus::kUsb);
    EXPECT_EQ(usb.vendor, 0x0bda);
    EXPECT_EQ(usb.device, 0x8153);
    const auto virtio = ParseDeviceUevent("DRIVER=virtio_net\nMODALIAS=virtio:d00000001v00001AF4\n");
    EXPECT_EQ(virtio.bus, DeviceIdentity::Bus::kNone);
    EXPECT_EQ(virtio.driver, "virtio_net");
    EXPECT_EQ(ParseDeviceUevent("PCI_ID=18086:15B8\n").bus, DeviceIdentity::Bus::kNone) << "five digits";
    EXPECT_EQ(ParseDeviceUevent("PRODUCT=bda/8153\n").bus, DeviceIdentity::Bus::kNone);
    EXPECT_EQ(ParseDeviceUevent("").driver, "");
}

TEST(NetworkInterfaces, CardsAreInterfacesWithADeviceInIfindexOrder) {
    linux_tests::TempDir tree;
    const auto add = [&](const std::string& name, const char* ifindex, bool device) {
        tree.Write("sys/class/net/" + name + "/ifindex", ifindex);
        if (device) tree.Write("sys/class/net/" + name + "/device/uevent", "DRIVER=x\n");
    };
    add("lo", "1\n", false);
    add("wlan0", "3\n", true);
    add("eth1", "12\n", true);
    add("eth0", "2\n", true);
    add("br0", "4\n", false);
    add("odd", "junk\n", true);
    RootFs fs(tree.Path());
    const auto cards = ListNetworkCards(fs);
    ASSERT_EQ(cards.size(), 4u);
    EXPECT_EQ(cards[0].name, "eth0");
    EXPECT_EQ(cards[1].name, "wlan0");
    EXPECT_EQ(cards[2].name, "eth1") << "ifindex 12 after 3: numbers, not text";
    EXPECT_EQ(cards[3].name, "odd") << "an unreadable ifindex comes last";

    linux_tests::TempDir empty;
    EXPECT_TRUE(ListNetworkCards(RootFs(empty.Path())).empty());
}

// This machine: every interface with a device is a card, in ifindex order,
// with the address sysfs shows, as six upper-case groups joined by "-".
TEST(NetworkLive, EveryCardOfThisMachineWithItsAddress) {
    const RootFs fs("/");
    const auto cards = ListNetworkCards(fs);
    if (cards.empty()) GTEST_SKIP() << "no network card with a device here";
    LinuxMachine machine("/");
    const collectors::Network network(machine);
    std::vector<std::wstring> expected;
    for (const auto& card : cards) {
        const auto text = fs.ReadFile("/sys/class/net/" + card.name + "/address");
        const auto address = text ? ParseHardwareAddress(*text) : std::nullopt;
        if (!address) continue;  // not a six-byte address: no item
        std::wstring formatted;
        for (const auto byte : *address) {
            wchar_t group[4];
            std::swprintf(group, 4, L"%02X", byte);
            formatted += (formatted.empty() ? L"" : L"-") + std::wstring(group);
        }
        expected.push_back(formatted);
    }
    ASSERT_EQ(network.Count(), static_cast<std::int16_t>(expected.size()));
    for (std::int16_t i = 0; i < network.Count(); ++i) {
        EXPECT_EQ(network.Item(i)->MACAddress(), expected[static_cast<std::size_t>(i)]);
        EXPECT_FALSE(network.Item(i)->Name().empty()) << "an ID database name or the driver's";
    }
}
