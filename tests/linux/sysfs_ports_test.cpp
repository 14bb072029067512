// Serial and parallel ports from sysfs, on small trees.
#include <gtest/gtest.h>

#include "platform/linux/areas/sysfs_ports.h"
#include "support.h"

using namespace platform::linux_backend;

namespace {

void Tty(const linux_tests::TempDir& tree, const std::string& name, const std::string& type, const std::string& driver) {
    const std::string dir = "sys/class/tty/" + name;
    tree.Write(dir + "/dev", "4:64\n");
    if (!type.empty()) tree.Write(dir + "/type", type + "\n");
    if (!driver.empty()) tree.Write(dir + "/device/uevent", "OF_NAME=x\nDRIVER=" + driver + "\nMODALIAS=y\n");
}

}  // namespace

TEST(SysfsPorts, RealPortsInFamilyAndNumberOrder) {
    linux_tests::TempDir tree;
    Tty(tree, "ttyS10", "4", "serial8250");
    Tty(tree, "ttyS2", "4", "serial");
    Tty(tree, "ttyS1", "0", "serial8250");  // a slot without a UART
    Tty(tree, "ttyS3", "", "serial8250");   // no type attribute: not known to be real
    Tty(tree, "ttyACM0", "", "cdc_acm");
    Tty(tree, "ttyUSB0", "", "ftdi_sio");
    Tty(tree, "ttyAMA0", "", "");
    Tty(tree, "ttyS11", "4", "port");  // behind the serial core's port device
    tree.Write("proc/tty/drivers",
               "/dev/tty             /dev/tty        5       0 system:/dev/tty\n"
               "serial               /dev/ttyS       4 64-111 serial\n"
               "ttyAMA               /dev/ttyAMA   204 64-77 serial\n");
    Tty(tree, "ttySAC0", "1", "samsung");   // not a ttyS port
    Tty(tree, "tty1", "", "");
    Tty(tree, "console", "", "");
    tree.Write("sys/bus/usb/devices/1-2:1.0/ttyUSB0/port_number", "0\n");
    tree.Write("sys/bus/usb/devices/1-2/product", "FT232R USB UART\n");
    tree.Write("sys/bus/usb/devices/3-1:1.0/tty/ttyACM0/dev", "166:0\n");
    tree.Write("sys/bus/usb/devices/usb1/product", "xHCI Host Controller\n");
    tree.Write("sys/class/ppdev/parport0/dev", "99:0\n");
    tree.Write("sys/class/printer/lp0/dev", "6:0\n");
    const RootFs fs(tree.Path());

    const auto ports = ReadPorts(fs);
    ASSERT_EQ(ports.size(), 7u);
    EXPECT_EQ(ports[0].path, "/dev/ttyS2");
    EXPECT_EQ(ports[0].driver, "serial");
    EXPECT_EQ(ports[0].description, "Serial port");
    EXPECT_EQ(ports[1].path, "/dev/ttyS10") << "by number, not by text";
    EXPECT_EQ(ports[2].path, "/dev/ttyS11");
    EXPECT_EQ(ports[2].driver, "serial") << "the tty driver, not the serial core's port device";
    EXPECT_EQ(ports[3].path, "/dev/ttyUSB0");
    EXPECT_EQ(ports[3].driver, "ftdi_sio");
    EXPECT_EQ(ports[3].description, "FT232R USB UART");
    EXPECT_EQ(ports[4].path, "/dev/ttyACM0");
    EXPECT_EQ(ports[4].description, "Serial port") << "its USB device has no product name";
    EXPECT_EQ(ports[5].path, "/dev/ttyAMA0");
    EXPECT_EQ(ports[5].driver, "ttyAMA") << "no device driver: the tty driver";
    EXPECT_EQ(ports[6].path, "/dev/parport0");
    EXPECT_EQ(ports[6].driver, "ppdev");
    EXPECT_EQ(ports[6].description, "Parallel port");
}

TEST(SysfsPorts, PrinterClassWhenNoUserSpacePortDriver) {
    linux_tests::TempDir tree;
    tree.Write("sys/class/printer/lp1/dev", "6:1\n");
    tree.Write("sys/class/printer/lp0/dev", "6:0\n");
    tree.Write("sys/class/tty/ttyS0/type", "0\n");
    const RootFs fs(tree.Path());
    const auto ports = ReadPorts(fs);
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0].path, "/dev/lp0");
    EXPECT_EQ(ports[0].driver, "lp");
    EXPECT_EQ(ports[1].path, "/dev/lp1");

    linux_tests::TempDir empty;
    EXPECT_TRUE(ReadPorts(RootFs(empty.Path())).empty());
}

TEST(SysfsPorts, UeventValues) {
    EXPECT_EQ(UeventValue("DRIVER=serial\n", "DRIVER"), "serial");
    EXPECT_EQ(UeventValue("DRIVERX=a\nDRIVER=b\n", "DRIVER"), "b");
    EXPECT_EQ(UeventValue("DRIVER=\n", "DRIVER"), "");
    EXPECT_EQ(UeventValue("PRODUCT=403/6001/600\n", "DRIVER"), "");
}
