// What the kernel keeps of a USB device, read without asking the device: its
// place on the bus, its cached descriptors, its strings as string
// descriptors; and the ID databases that name USB and PCI devices.
#include <gtest/gtest.h>

#include "platform/linux/id_database.h"
#include "platform/linux/usb_sysfs.h"

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
    for (const char* notADevice : {"usb1", "1-1:1.0", "1-1.5:1.2", "1-", "-1", "1-1..2", "1-0", "x-1", "1-1.a", ""})
        EXPECT_FALSE(UsbPlaceOf(notADevice)) << notADevice;
    EXPECT_TRUE(IsUsbRootHub("usb1"));
    EXPECT_TRUE(IsUsbRootHub("usb12"));
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

TEST(IdDatabase, MalformedLinesAreSkipped) {
    for (const char* line : {"123  three digits", "12345  five", "12g4  not hex", "1234 one blank", "1234  ", "1234"})
        EXPECT_FALSE(ParseIdLine(line, 4)) << line;
    EXPECT_EQ(ParseIdLine("abCD  Mixed case", 4)->first, 0xabcd);
    const IdDatabase ids("12g4  bad\n1234 bad too\n\t5678  orphan device\n");
    EXPECT_FALSE(ids.Vendor(0x1234));
}
