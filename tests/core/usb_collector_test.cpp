// The USB collector on simulated machines: devices found on their parent
// hub's port, their descriptors decoded, and hub replies that claim more than
// they hold.
#include <gtest/gtest.h>

#include "collectors/USBDevices.h"
#include "platform/sim/sim_usb.h"
#include "sim_fixture.h"

using collectors::USBDevices;
using testing_support::SimFrom;

namespace {

// A receiver on port 3 of a four-port root hub: bcdUSB 2.00, bcdDevice 12.03,
// class 0, packet size 8, vendor 046D, product C52B, strings 1, 2 and 3.
constexpr const char* kReceiverDescriptor = "12 01 00 02 00 00 00 08 6D 04 2B C5 03 12 01 02 03 01";
// The first configuration: bMaxPower 50 (100 mA).
constexpr const char* kConfiguration = "09 02 22 00 01 01 00 A0 32";

std::string RootHub(int ports = 4) {
    return R"({"id": "USB\\ROOT_HUB20\\4&1", "driver": "{usb}\\0001", "ports": )" + std::to_string(ports) + "}";
}

std::string Device(const std::string& extra) {
    return R"({"id": "USB\\VID_046D&PID_C52B\\5&2", "parent": "USB\\ROOT_HUB20\\4&1", "port": 3,
               "driver": "{usb}\\0002", "description": "USB-samengesteld apparaat", "languages": "04 03 09 04",
               "device": ")" + std::string(kReceiverDescriptor) + R"(", "configuration": ")" + kConfiguration + "\"" +
           extra + "}";
}

std::string UsbMachine(const std::string& devices) { return R"({"usb": {"devices": [)" + devices + "]}}"; }

}  // namespace

TEST(USBDevices, DeviceOnPortThreeOfAFourPortHub) {
    auto machine = SimFrom(UsbMachine(
        RootHub() + "," +
        Device(R"(, "strings": {"1": "Logitech", "2": "USB Receiver", "3": "0123\u00e9"})")));
    const USBDevices usb(*machine);
    ASSERT_EQ(usb.Count(), 1) << "the root hub has no parent hub, so no item";
    const auto* d = usb.Item(0);
    EXPECT_EQ(d->Name(), L"USB Receiver");
    EXPECT_EQ(d->Manufacturer(), L"Logitech");
    EXPECT_EQ(d->SerialNumber(), L"0123\u00e9");
    EXPECT_EQ(d->Description(), L"USB-samengesteld apparaat");
    EXPECT_EQ(d->VendorID(), 0x046D);
    EXPECT_EQ(d->ProductID(), 0xC52B) << "above 7FFF: unsigned";
    EXPECT_EQ(d->Class(), 0);
    EXPECT_EQ(d->PacketSize(), 8);
    EXPECT_EQ(d->Revision(), L"12.03");
    EXPECT_EQ(d->Version(), L"2.0");
    EXPECT_EQ(d->Power(), 100) << "bMaxPower 50 in units of 2 mA";

    const auto& asked = dynamic_cast<platform::sim::SimUsb&>(machine->Usb()).asked;
    std::vector<std::uint32_t> keyPorts;
    for (const auto& a : asked)
        if (a.code == platform::usb::kGetNodeConnectionDriverKeyName) keyPorts.push_back(a.port);
    EXPECT_EQ(keyPorts, (std::vector<std::uint32_t>{1, 2, 3, 4})) << "every port is asked, the item made on port 3";
}

TEST(USBDevices, ExternalHubIsListedFromItsParentHub) {
    auto machine = SimFrom(UsbMachine(
        RootHub(2) + "," +
        R"({"id": "USB\\VID_2230&PID_0006\\6&1", "parent": "USB\\ROOT_HUB20\\4&1", "port": 1, "driver": "{usb}\\0003",
            "ports": 4, "device": "12 01 10 02 09 00 01 40 30 22 06 00 00 91 01 02 00 01",
            "configuration": "09 02 19 00 01 01 00 E0 00", "languages": "04 03 09 04",
            "strings": {"1": "VIA Labs, Inc.", "2": "USB2.0 Hub"}},)" +
        R"({"id": "USB\\VID_08FF&PID_5731\\7&1", "parent": "USB\\VID_2230&PID_0006\\6&1", "port": 3, "driver": "{usb}\\0004",
            "device": "12 01 10 01 FF FF FF 08 FF 08 31 57 00 00 00 01 00 01", "configuration": "09 02 20 00 01 01 00 80 32",
            "strings": {"1": "Fingerprint Sensor"}})"));
    const USBDevices usb(*machine);
    ASSERT_EQ(usb.Count(), 2);
    EXPECT_EQ(usb.Item(0)->Name(), L"USB2.0 Hub");
    EXPECT_EQ(usb.Item(0)->Class(), 9);
    EXPECT_EQ(usb.Item(0)->Protocol(), 1);
    EXPECT_EQ(usb.Item(0)->Version(), L"2.1");
    EXPECT_EQ(usb.Item(0)->Revision(), L"91.00");
    EXPECT_EQ(usb.Item(0)->Power(), 0);
    EXPECT_EQ(usb.Item(0)->SerialNumber(), L"") << "iSerialNumber 0: no request, no text";
    EXPECT_EQ(usb.Item(1)->Name(), L"Fingerprint Sensor");
    EXPECT_EQ(usb.Item(1)->Manufacturer(), L"");
    EXPECT_EQ(usb.Item(1)->Revision(), L"0.00");
    EXPECT_EQ(usb.Item(1)->Version(), L"1.1");
    EXPECT_EQ(usb.Item(1)->Power(), 100);
}

TEST(USBDevices, NoListNoDevicesAndUnreadableDescriptors) {
    EXPECT_EQ(USBDevices(*SimFrom(R"({"usb": {"devices": null}})")).Count(), 0) << "the device list cannot be made";
    EXPECT_EQ(USBDevices(*SimFrom("{}")).Count(), 0);
    // A device whose port is found keeps its item even when its descriptors cannot be read.
    auto bare = SimFrom(UsbMachine(RootHub() + R"(, {"id": "D", "parent": "USB\\ROOT_HUB20\\4&1", "port": 4, "driver": "k"})"));
    const USBDevices usb(*bare);
    ASSERT_EQ(usb.Count(), 1);
    EXPECT_EQ(usb.Item(0)->VendorID(), 0);
    EXPECT_EQ(usb.Item(0)->Version(), L"");
    EXPECT_EQ(usb.Item(0)->Power(), 0);
    // A driver key that matches no port, and a port past the hub's count.
    auto lost = SimFrom(UsbMachine(RootHub(2) + R"(, {"id": "D", "parent": "USB\\ROOT_HUB20\\4&1", "port": 3, "driver": "k"})"));
    EXPECT_EQ(USBDevices(*lost).Count(), 0);
}

// A string descriptor's length byte may claim more than the reply holds, and
// a hub's ActualLength more than its 520-byte record: only what is there is read.
TEST(USBDevices, RepliesThatClaimMoreThanTheyHold) {
    auto machine = SimFrom(UsbMachine(
        RootHub() + "," +
        Device(R"(, "strings": {"1": {"hex": "FF 03 41 00 42 00"}, "2": {"hex": "01 03"}, "3": {"hex": "07 03 43 00 44 00 45"}},
                  "actual_length": 4000000000)")));
    const USBDevices usb(*machine);
    ASSERT_EQ(usb.Count(), 1) << "the driver key name is still found: ActualLength is cut to the record";
    EXPECT_EQ(usb.Item(0)->Manufacturer(), L"AB") << "length 255, four bytes of text";
    EXPECT_EQ(usb.Item(0)->Name(), L"") << "a length byte below 2";
    EXPECT_EQ(usb.Item(0)->SerialNumber(), L"CD") << "an odd byte is no character";

    auto withNul = SimFrom(UsbMachine(RootHub() + "," + Device(R"(, "actual_length": 34)")));
    EXPECT_EQ(USBDevices(*withNul).Count(), 1) << "an ActualLength that counts the NUL still names the device";

    auto shortKey = SimFrom(UsbMachine(RootHub() + "," + Device(R"(, "actual_length": 3)")));
    EXPECT_EQ(USBDevices(*shortKey).Count(), 0) << "ActualLength below the header: an empty name, which matches nothing";
}

TEST(USBDevices, BcdWordsAtTheEndsAndWithHexDigits) {
    struct Case {
        std::uint16_t bcd;
        const wchar_t* revision;  // two decimals
        const wchar_t* version;   // one decimal
    };
    const Case cases[] = {
        {0x0000, L"0.00", L"0.0"},   {0x0001, L"0.01", L"0.0"},  {0x0110, L"1.10", L"1.1"},
        {0x0200, L"2.00", L"2.0"},   {0x0215, L"2.15", L"2.2"},  {0x9999, L"99.99", L"100.0"},
        {0x01A0, L"1.A0", L"1.A"},   {0xFFFF, L"FF.FF", L"FF.F"}, {0x000A, L"0.0A", L"0.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(USBDevices::BcdText(c.bcd, 2), c.revision) << std::hex << c.bcd;
        EXPECT_EQ(USBDevices::BcdText(c.bcd, 1), c.version) << std::hex << c.bcd;
    }
}

TEST(USBDevices, PowerCountsEightMilliampereUnitsAtSuperSpeed) {
    // bMaxPower 50: 400 mA on a SuperSpeed connection, 100 mA below it, and
    // 100 mA where the hub does not know the request (before Windows 8).
    const std::pair<const char*, int> cases[] = {{R"(, "superspeed": true)", 400}, {R"(, "superspeed": false)", 100}, {"", 100}};
    for (const auto& [speed, milliamperes] : cases) {
        auto machine = SimFrom(UsbMachine(RootHub() + "," + Device(speed)));
        const USBDevices usb(*machine);
        ASSERT_EQ(usb.Count(), 1);
        EXPECT_EQ(usb.Item(0)->Power(), milliamperes) << speed;
    }
    // The largest bMaxPower at SuperSpeed: 255 * 8 mA.
    auto most = SimFrom(UsbMachine(RootHub() + "," + R"({"id": "USB\\VID_1\\1", "parent": "USB\\ROOT_HUB20\\4&1",
        "port": 1, "driver": "{usb}\\0009", "superspeed": true, "configuration": "09 02 22 00 01 01 00 A0 FF"})"));
    EXPECT_EQ(USBDevices(*most).Item(0)->Power(), 2040);
}
