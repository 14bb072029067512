// The workstation tree: USB devices found on their hub ports from sysfs
// alone, the display of the card the firmware booted on, and the network
// cards of the registry the backend makes, each asked through the backend as
// the collectors ask it.
#include <gtest/gtest.h>

#include <algorithm>

#include "collectors/Display.h"
#include "collectors/Network.h"
#include "collectors/USBDevices.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/network_services.h"
#include "support.h"

using namespace platform::linux_backend;

namespace {

LinuxMachine Workstation(CaptureLog* log = nullptr) {
    LinuxMachineOptions options;
    options.root = std::string(VELTRIX_TREES_DIR) + "/workstation";
    options.session = SessionEnvironment{};
    options.capture = log;
    return LinuxMachine(std::move(options));
}

}  // namespace

TEST(TreeWorkstation, UsbDevicesBehindTheirHubsWithoutAskingAnyDevice) {
    CaptureLog log;
    auto machine = Workstation(&log);
    ASSERT_EQ(machine.OpenError(), "");
    const collectors::USBDevices usb(machine);
    ASSERT_EQ(usb.Count(), 5) << "two root hubs and two interfaces are no items";
    EXPECT_EQ(usb.Item(0)->Name(), L"USB2.0 Hub") << "the external hub is an item of its own";
    EXPECT_EQ(usb.Item(1)->Description(), L"AuthenTec, Inc. AES3500 TruePrint Sensor");
    EXPECT_EQ(usb.Item(2)->SerialNumber(), L"W700B41B");
    EXPECT_EQ(usb.Item(3)->Name(), L"Biometric Coprocessor") << "port 4, after the empty port 3";
    EXPECT_EQ(usb.Item(4)->Power(), 144);

    // Only what the kernel cached is read; nothing that makes it talk to a device.
    const std::vector<std::string> allowed = {"descriptors", "maxchild", "manufacturer", "product", "serial", "speed"};
    for (const auto& [path, content] : log.Files()) {
        if (path.rfind("/sys/bus/usb/devices/", 0) != 0) continue;
        const std::string name = path.substr(path.rfind('/') + 1);
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), name), allowed.end()) << path;
    }
}

TEST(TreeWorkstation, DisplayOfTheBootCardFromItsConnector) {
    auto machine = Workstation();
    const collectors::Display display(machine);
    EXPECT_EQ(display.Name(), L"NVIDIA Corporation GP107 [GeForce GTX 1050 Ti]") << "card1 has boot_vga 1";
    EXPECT_EQ(display.Monitor(), L"LG TV") << "its first connected connector, not card0's monitor";
    ASSERT_EQ(display.Count(), 6) << "1080i and 1080p at 59.94 Hz repeat 1080p at 60 Hz";
    EXPECT_EQ(display.SelectedIndex(), 0);
    EXPECT_EQ(display.Item(0)->ColorBits(), 32);
    for (std::int16_t i = 1; i < display.Count(); ++i) EXPECT_FALSE(display.Item(i)->Selected()) << i;
}

TEST(TreeWorkstation, RegistryListsTheCardsThatHaveADevice) {
    auto machine = Workstation();
    auto& network = machine.Network();
    namespace reg = platform::registry;
    const auto cards = network.RegOpenKeyEx(reg::kLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards");
    ASSERT_TRUE(cards) << "registry names are compared without case";
    EXPECT_EQ(network.RegEnumKeyEx(*cards, 0), "1");
    EXPECT_EQ(network.RegEnumKeyEx(*cards, 1), "2");
    EXPECT_FALSE(network.RegEnumKeyEx(*cards, 2)) << "lo and br0 have no device";
    const auto second = network.RegOpenKeyEx(reg::kLocalMachine, std::string(reg::kNetworkCards) + "\\2");
    ASSERT_TRUE(second);
    std::array<std::uint8_t, 32> data{};
    const auto value = network.RegQueryValueEx(*second, "ServiceName", data);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, reg::kString);
    EXPECT_EQ(value->size, 16u) << "enx00e04c680001 and its NUL";
    EXPECT_FALSE(network.RegQueryValueEx(*second, "ServiceName", std::span(data).first(15))) << "too small a buffer";
    for (const char* refused : {"Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\3",
                                "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\0",
                                "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\01",
                                "Software\\Microsoft\\Windows NT\\CurrentVersion", "System\\CurrentControlSet"})
        EXPECT_FALSE(network.RegOpenKeyEx(reg::kLocalMachine, refused)) << refused;
    EXPECT_FALSE(network.RegOpenKeyEx(0x80000001u, reg::kNetworkCards)) << "another root";

    const collectors::Network collector(machine);
    ASSERT_EQ(collector.Count(), 2);
    EXPECT_EQ(collector.Item(0)->Name(), L"Intel Corporation Ethernet Connection (2) I219-V");
    EXPECT_EQ(collector.Item(1)->Version(), L"1.12") << "v1.12.13";
    EXPECT_EQ(machine.Network().CreateFile("\\\\.\\br0"), platform::ndis::kInvalidHandle);
}
