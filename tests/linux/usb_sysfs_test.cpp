// What the kernel keeps of a USB device, read without asking the device: its
// place on the bus, its cached descriptors, its strings as string
// descriptors; and the ID databases that name USB and PCI devices.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/linux/parsers/id_database.h"
#include "platform/linux/areas/id_databases.h"
#include "platform/linux/areas/linux_machine.h"
#include "collectors/USBDevices.h"
#include "base/bytes.h"
#include "platform/usb_services.h"
#include "support.h"
#include "platform/linux/parsers/usb_sysfs.h"

using namespace platform::linux_backend;

namespace {

std::string Unhex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}

}  // namespace

TEST(UsbSysfs, PlaceOnTheBusComesFromTheDeviceName) {
    const auto deep = UsbPlaceOf("1-1.5.2");
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->parent, "1-1.5");
    EXPECT_EQ(deep->port, 2u);
    const auto first = UsbPlaceOf("3-1");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->parent, "usb3") << "a first-level device hangs off the root hub";
    EXPECT_EQ(first->port, 1u);
    EXPECT_EQ(UsbPlaceOf("12-14")->port, 14u);
    for (const char* notADevice : {"usb1", "1-1:1.0", "1-1.5:1.2", "1-", "-1", "1-1..2", "1-0", "x-1", "1-1.a", "",
                                 "99999999999999999999-1", "1-1.99999999999999999999", "usb99999999999999999999"})
        EXPECT_FALSE(UsbPlaceOf(notADevice)) << notADevice;
    EXPECT_TRUE(IsUsbRootHub("usb1"));
    EXPECT_TRUE(IsUsbRootHub("usb12"));
    EXPECT_TRUE(IsUsbRootHub("usb127"));
    EXPECT_FALSE(IsUsbRootHub("usb99999999999999999999")) << "a number no bus has";
    EXPECT_FALSE(IsUsbRootHub("usb"));
    EXPECT_FALSE(IsUsbRootHub("1-1"));
}

TEST(UsbSysfs, CachedDescriptorsSplitIntoDeviceAndConfiguration) {
    // A fingerprint sensor: device descriptor, configuration with one interface and two endpoints.
    const auto file = Unhex(
        "12011001FFFFFF08FF0831570000000100010902200001010080320904000002FFFFFF000705810240000007050202080000");
    const auto cached = SplitCachedDescriptors(file);
    ASSERT_TRUE(cached);
    ASSERT_EQ(cached->device.size(), 18u);
    EXPECT_EQ(cached->device[8], 0xFF);
    EXPECT_EQ(cached->device[9], 0x08) << "idVendor 08FF, little-endian";
    ASSERT_TRUE(cached->configuration);
    ASSERT_EQ(cached->configuration->size(), 9u);
    EXPECT_EQ((*cached->configuration)[8], 0x32) << "bMaxPower 50: 100 mA";

    EXPECT_FALSE(SplitCachedDescriptors(file.substr(0, 17))) << "a short device descriptor";
    EXPECT_FALSE(SplitCachedDescriptors("")) << "an empty file";
    auto wrongType = file;
    wrongType[1] = 2;
    EXPECT_FALSE(SplitCachedDescriptors(wrongType));
    auto wrongLength = file;
    wrongLength[0] = 9;
    EXPECT_FALSE(SplitCachedDescriptors(wrongLength));

    const auto deviceOnly = SplitCachedDescriptors(file.substr(0, 18));
    ASSERT_TRUE(deviceOnly);
    EXPECT_FALSE(deviceOnly->configuration) << "no configuration cached";
    EXPECT_FALSE(SplitCachedDescriptors(file.substr(0, 26))->configuration) << "a cut configuration";
    auto notAConfiguration = file;
    notAConfiguration[19] = 4;
    EXPECT_FALSE(SplitCachedDescriptors(notAConfiguration)->configuration);
}

TEST(UsbSysfs, StringsBecomeUtf16StringDescriptors) {
    const Bytes hub = EncodeStringDescriptor("USB2.0 Hub\n");
    ASSERT_EQ(hub.size(), 2u + 2 * 10) << "the newline of the attribute is not part of the string";
    EXPECT_EQ(hub[0], hub.size());
    EXPECT_EQ(hub[1], 3);
    EXPECT_EQ(hub[2], 'U');
    EXPECT_EQ(hub[3], 0);

    const Bytes accents = EncodeStringDescriptor("Caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
    const Bytes expected = {20, 3, 'C', 0, 'a', 0, 'f', 0, 0xE9, 0, ' ', 0, 0xAC, 0x20, ' ', 0, 0x3D, 0xD8, 0x00, 0xDE};
    EXPECT_EQ(accents, expected) << "a character beyond the basic plane takes a surrogate pair";

    EXPECT_EQ(EncodeStringDescriptor(""), (Bytes{2, 3})) << "an empty string is the header alone";
    const Bytes longest = EncodeStringDescriptor(std::string(300, 'x'));
    EXPECT_EQ(longest.size(), 254u) << "126 characters fill the one-byte length; 127 would not";
    EXPECT_EQ(longest[0], 254);
    std::string pairs;
    for (int i = 0; i < 70; ++i) pairs += "\xf0\x9f\x98\x80";
    const Bytes cutPairs = EncodeStringDescriptor(pairs);
    EXPECT_EQ(cutPairs.size(), 254u);
    EXPECT_EQ(cutPairs[252], 0x00);
    EXPECT_EQ(cutPairs[253], 0xDE) << "cut after a whole pair, never inside one";

    EXPECT_EQ(LanguageListDescriptor(kUsbLanguageEnglishUs), (Bytes{4, 3, 0x09, 0x04}));
}

TEST(IdDatabase, VendorsDevicesAndClassesOfBothDatabases) {
    const IdDatabase usb(
        "# comment\n"
        "#\tindented comment\n"
        "0001  Fry's Electronics\n"
        "\t142b  Arbiter Systems, Inc.\n"
        "1d6b  Linux Foundation\n"
        "# a comment among the devices\n"
        "\t0002  2.0 root hub\n"
        "\t0003  3.0 root hub  \n"
        "\t\t00  an interface line\n"
        "2230  VIA Labs, Inc.\n"
        "ffff  Last\n"
        "\n"
        "C 00  (Defined at Interface level)\n"
        "C 09  Hub\n"
        "\t00  Unused\n"
        "C ff  Vendor Specific Class\n"
        "AT 0409  a keyword section\n"
        "\t0001  not a device of ffff\n"
        "HID 00  None\n");
    EXPECT_EQ(usb.VendorAndDevice(0x1d6b, 0x0002), "Linux Foundation 2.0 root hub");
    EXPECT_EQ(usb.Device(0x1d6b, 0x0003), "3.0 root hub") << "trailing blanks dropped";
    EXPECT_EQ(usb.VendorAndDevice(0x2230, 0x0006), "VIA Labs, Inc.") << "the vendor alone";
    EXPECT_FALSE(usb.VendorAndDevice(0x08ff, 0x5731));
    EXPECT_EQ(usb.Vendor(0x0001), "Fry's Electronics");
    EXPECT_EQ(usb.Vendor(0xffff), "Last");
    EXPECT_FALSE(usb.Device(0xffff, 0x0001)) << "the devices of a vendor end at the next section";
    EXPECT_FALSE(usb.Device(0x1d6b, 0x0000)) << "an interface line is not a device";
    EXPECT_EQ(usb.Class(0x09), "Hub");
    EXPECT_EQ(usb.Class(0xff), "Vendor Specific Class");
    EXPECT_FALSE(usb.Class(0x03));
    EXPECT_EQ(usb.UsedLines(),
              "0001  Fry's Electronics\n1d6b  Linux Foundation\n\t0002  2.0 root hub\n\t0003  3.0 root hub  \n"
              "2230  VIA Labs, Inc.\nffff  Last\nC 09  Hub\nC ff  Vendor Specific Class\n")
        << "only what answered, in file order: a small database for a capture";

    const IdDatabase pci("10de  NVIDIA Corporation\r\n\t1c82  GP107 [GeForce GTX 1050 Ti]\r\n");
    EXPECT_EQ(pci.VendorAndDevice(0x10de, 0x1c82), "NVIDIA Corporation GP107 [GeForce GTX 1050 Ti]")
        << "CR LF line ends are read too";
    EXPECT_FALSE(IdDatabase().Vendor(0));
}

TEST(IdDatabase, VendorsOutOfOrderAreStillFound) {
    const IdDatabase ids("# made by hand\nffff  Last\n1d6b  Linux Foundation\n\t0002  2.0 root hub\n0001  First\n"
                         "8086  Intel Corp.\n2230  VIA Labs, Inc.\nC 09  Hub\n");
    EXPECT_EQ(ids.Vendor(0x0001), "First");
    EXPECT_EQ(ids.Vendor(0xffff), "Last");
    EXPECT_EQ(ids.VendorAndDevice(0x1d6b, 0x0002), "Linux Foundation 2.0 root hub");
    EXPECT_EQ(ids.Vendor(0x2230), "VIA Labs, Inc.");
    EXPECT_EQ(ids.Vendor(0x8086), "Intel Corp.");
    EXPECT_FALSE(ids.Vendor(0x1234));
    EXPECT_EQ(ids.Class(0x09), "Hub");
    // In order, every vendor from the first to the last of a long list.
    std::string sorted;
    for (unsigned v = 0; v < 0x10000; v += 0x101) {
        char line[32];
        std::snprintf(line, sizeof line, "%04x  V%04x\n\t0001  D\n", v, v);
        sorted += line;
    }
    const IdDatabase many(sorted);
    for (unsigned v = 0; v < 0x10000; v += 0x101) {
        char name[8];
        std::snprintf(name, sizeof name, "V%04x", v);
        EXPECT_EQ(many.Vendor(static_cast<std::uint16_t>(v)), name);
        if (v < 0xffff) {
            EXPECT_FALSE(many.Vendor(static_cast<std::uint16_t>(v + 1))) << v + 1;
        }
    }
}

TEST(IdDatabase, MalformedLinesAreSkipped) {
    for (const char* line : {"123  three digits", "12345  five", "12g4  not hex", "1234 one blank", "1234  ", "1234"})
        EXPECT_FALSE(ParseIdLine(line, 4)) << line;
    EXPECT_EQ(ParseIdLine("abCD  Mixed case", 4)->first, 0xabcd);
    EXPECT_EQ(ParseIdLine("1234  name \r\r", 4)->second, "name") << "blanks and carriage returns at the end";
    const IdDatabase ids("12g4  bad\n1234 bad too\n\t5678  orphan device\n");
    EXPECT_FALSE(ids.Vendor(0x1234));
}

namespace {

std::uint32_t Le32At(const std::vector<std::uint8_t>& b, std::size_t at) { return base::ReadLe32(b, at).value(); }

// A descriptor request for the device on `port`, as the hub record carries it.
std::vector<std::uint8_t> DescriptorRequest(std::uint32_t port, std::uint8_t type, std::uint8_t index,
                                            std::uint16_t length) {
    std::vector<std::uint8_t> record(platform::usb::DescriptorRequestLayout::kSize, 0);
    record[0] = static_cast<std::uint8_t>(port);
    record[4] = platform::usb::kDeviceToHost;
    record[5] = platform::usb::kGetDescriptor;
    record[6] = index;
    record[7] = type;
    record[10] = static_cast<std::uint8_t>(length);
    record[11] = static_cast<std::uint8_t>(length >> 8);
    return record;
}

}  // namespace

TEST(UsbLinuxHub, PortRequestsAnsweredFromTheKernelsCache) {
    linux_tests::TempDir tree;
    const std::string hub = "sys/bus/usb/devices/usb3/";
    tree.Write(hub + "maxchild", "2\n");
    tree.Write(hub + "descriptors", Unhex("12010002090001406B1D020015040302010109021900010100E0000904000001090000000705810304000C"));
    const std::string dev = "sys/bus/usb/devices/3-2/";
    tree.Write(dev + "maxchild", "0\n");
    tree.Write(dev + "descriptors", Unhex("12011001FFFFFF08FF0831570000000100010902200001010080320904000002FFFFFF000705810240000007050202080000"));
    tree.Write(dev + "product", "Fingerprint Sensor\n");
    LinuxMachine machine(tree.Path());
    auto& usb = machine.Usb();

    EXPECT_EQ(usb.SetupDiGetClassDevs("{a5dcbf10-6530-11d2-901f-00c04fb951ed}", 0x12), 1) << "class names without case";
    EXPECT_EQ(usb.SetupDiGetClassDevs("{00000000-0000-0000-0000-000000000000}", 0x12), platform::usb::kInvalidList);
    EXPECT_FALSE(usb.CM_Get_Parent(1)) << "the root hub's parent is the host controller";
    EXPECT_EQ(usb.CM_Get_Parent(2), 1u);
    EXPECT_EQ(usb.CM_Get_Device_ID(2), "USB\\3-2");
    EXPECT_EQ(usb.CreateFile("\\\\.\\USB#3-2#{f18a0e88-c30c-11d0-8815-00a0c906bed8}"), platform::usb::kInvalidHandle)
        << "a device with no ports is no hub";
    EXPECT_EQ(usb.CreateFile("\\\\.\\USB#usb9#{f18a0e88-c30c-11d0-8815-00a0c906bed8}"), platform::usb::kInvalidHandle);
    const auto handle = usb.CreateFile("\\\\.\\USB#usb3#{f18a0e88-c30c-11d0-8815-00a0c906bed8}");
    ASSERT_NE(handle, platform::usb::kInvalidHandle);

    auto key = std::vector<std::uint8_t>(platform::usb::DriverKeyNameLayout::kSize, 0);
    key[0] = 2;
    ASSERT_TRUE(usb.DeviceIoControl(handle, platform::usb::kGetNodeConnectionDriverKeyName, key));
    EXPECT_EQ(Le32At(key, 4), 12u + 6) << "the header and \"3-2\" in UTF-16, without the NUL";
    for (const std::uint32_t empty : {0u, 1u, 3u}) {
        key.assign(key.size(), 0);
        key[0] = static_cast<std::uint8_t>(empty);
        EXPECT_FALSE(usb.DeviceIoControl(handle, platform::usb::kGetNodeConnectionDriverKeyName, key)) << empty;
    }

    auto config = DescriptorRequest(2, 2, 0, 9);
    EXPECT_EQ(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, config), 12u + 9)
        << "wLength 9: the configuration descriptor alone";
    EXPECT_EQ(config[12 + 8], 0x32);
    auto whole = DescriptorRequest(2, 2, 0, 2048);
    EXPECT_EQ(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, whole), 12u + 32)
        << "a larger wLength: the whole configuration as cached";
    auto product = DescriptorRequest(2, 3, 1, 514);
    EXPECT_EQ(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, product), 12u + 2 + 36);
    auto manufacturer = DescriptorRequest(2, 3, 2, 514);
    EXPECT_FALSE(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, manufacturer))
        << "an index the device does not name";
    auto languages = DescriptorRequest(2, 3, 0, 514);
    EXPECT_EQ(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, languages), 12u + 4);
    auto cutDevice = DescriptorRequest(2, 1, 0, 8);
    EXPECT_EQ(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, cutDevice), 12u + 8)
        << "never more than wLength";
    auto other = DescriptorRequest(2, 4, 0, 9);
    EXPECT_FALSE(usb.DeviceIoControl(handle, platform::usb::kGetDescriptorFromNodeConnection, other));
    auto node = std::vector<std::uint8_t>(platform::usb::NodeInformationLayout::kSize, 0);
    ASSERT_TRUE(usb.DeviceIoControl(handle, platform::usb::kGetNodeInformation, node));
    EXPECT_EQ(node[6], 2);
    usb.CloseHandle(handle);
    EXPECT_FALSE(usb.DeviceIoControl(handle, platform::usb::kGetNodeInformation, node)) << "a closed hub";
}

TEST(UsbLinuxHub, SuperSpeedFromTheDevicesSpeed) {
    // Two devices drawing bMaxPower 112: 896 mA at 5000 Mbit/s, 224 mA at 480.
    linux_tests::TempDir tree;
    const std::string hub = "sys/bus/usb/devices/usb4/";
    tree.Write(hub + "maxchild", "3\n");
    tree.Write(hub + "descriptors", Unhex("12010002090001406B1D020015040302010109021900010100E0000904000001090000000705810304000C"));
    // bcdUSB 3.10, a mass-storage interface, bMaxPower 70h.
    const std::string descriptors =
        "12011003000000096B1D02000000000000010902200001010080700904000002080000000705810200040007050202000400";
    const std::pair<const char*, const char*> speeds[] = {{"4-1", "5000\n"}, {"4-2", "480\n"}, {"4-3", "1.5\n"}};
    for (const auto& [name, speed] : speeds) {
        const std::string dev = std::string("sys/bus/usb/devices/") + name + "/";
        tree.Write(dev + "maxchild", "0\n");
        tree.Write(dev + "descriptors", Unhex(descriptors));
        tree.Write(dev + "speed", speed);
    }
    LinuxMachine machine(tree.Path());
    const collectors::USBDevices usb(machine);
    ASSERT_EQ(usb.Count(), 3);
    EXPECT_EQ(usb.Item(0)->Power(), 896) << "SuperSpeed counts 8 mA";
    EXPECT_EQ(usb.Item(1)->Power(), 224);
    EXPECT_EQ(usb.Item(2)->Power(), 224) << "low speed";

    auto& services = machine.Usb();
    const auto handle = services.CreateFile("\\\\.\\USB#usb4#{f18a0e88-c30c-11d0-8815-00a0c906bed8}");
    ASSERT_NE(handle, platform::usb::kInvalidHandle);
    std::vector<std::uint8_t> record(platform::usb::ConnectionInformationV2Layout::kSize, 0);
    record[0] = 1;
    ASSERT_EQ(services.DeviceIoControl(handle, platform::usb::kGetNodeConnectionInformationExV2, record), 16u);
    EXPECT_EQ(Le32At(record, 12), 3u) << "operating at SuperSpeed, and capable of it";
    record.assign(record.size(), 0);
    EXPECT_FALSE(services.DeviceIoControl(handle, platform::usb::kGetNodeConnectionInformationExV2, record)) << "port 0";
    services.CloseHandle(handle);
}

TEST(IdDatabases, ReadOnceAndCapturedAsTheLinesUsed) {
    linux_tests::TempDir tree;
    tree.Write("usr/share/misc/usb.ids", "1d6b  Linux Foundation\n\t0002  2.0 root hub\n\t0003  3.0 root hub\nffff  Other\n");
    tree.Write("usr/share/hwdata/pci.ids", "8086  Intel Corporation\n\t15b8  I219-V\n");
    CaptureLog log;
    const RootFs fs(tree.Path());
    IdDatabases ids(fs, &log);
    EXPECT_EQ(ids.UsbName(0x1d6b, 0x0003), "Linux Foundation 3.0 root hub") << "found in the older place";
    EXPECT_EQ(ids.PciName(0x8086, 0x15b8), "Intel Corporation I219-V");
    EXPECT_FALSE(ids.PciName(0x10de, 0x1c82));
    EXPECT_EQ(ids.PciName(0x8086, 0x1c83), "Intel Corporation Device 1c83") << "a device not listed yet";
    EXPECT_EQ(log.Files().at("/usr/share/misc/usb.ids"), "1d6b  Linux Foundation\n\t0003  3.0 root hub\n");
    EXPECT_EQ(log.Files().at("/usr/share/hwdata/pci.ids"), "8086  Intel Corporation\n\t15b8  I219-V\n");

    tree.Write("usr/share/misc/usb.ids", "");  // a second read would now find nothing
    EXPECT_EQ(ids.UsbName(0x1d6b, 0x0002), "Linux Foundation 2.0 root hub") << "the database was read once";
    EXPECT_FALSE(IdDatabases(fs, nullptr).UsbClassName(9)) << "an empty database names nothing";
}
