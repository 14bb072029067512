// The Linux drives on small hand-made trees (numbering, identity sources,
// USB, optical drives with recorded replies) and on a real ext4 volume.

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "collectors/HardDrives.h"
#include "collectors/LogicalDrives.h"
#include "collectors/OpticalDrives.h"
#include "platform/drive_records.h"
#include "platform/drive_services.h"
#include "platform/identify_block.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/io/volume_replies.h"
#include "support.h"

namespace {

using linux_tests::TempDir;
using platform::linux_backend::LinuxMachine;

void Disk(const TempDir& tree, const std::string& name, const std::string& sectors, const std::string& dev) {
    tree.Write("sys/block/" + name + "/size", sectors + "\n");
    tree.Write("sys/block/" + name + "/dev", dev + "\n");
    tree.Write("sys/block/" + name + "/removable", "0\n");
    tree.Write("sys/block/" + name + "/queue/logical_block_size", "512\n");
}

std::string HexOf(const platform::IdentifyBlock& block) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (const auto byte : block) {
        text += kHex[byte >> 4];
        text += kHex[byte & 0xF];
        text += ' ';
    }
    return text;
}

TEST(LinuxDrives, DisksNumberedByKindAndNameWithTheirIdentity) {
    TempDir tree;
    // Made in an order that is neither the numbering nor the listing's.
    Disk(tree, "vda", "2097152", "254:0");
    tree.Write("sys/block/vda/serial", "virt-serial\n");
    Disk(tree, "nvme0n1", "1000215216", "259:0");
    tree.Write("sys/block/nvme0n1/device/model", "Samsung SSD 970 EVO Plus 500GB           \n");
    tree.Write("sys/block/nvme0n1/device/serial", "S4EVNX0N123456  \n");
    tree.Write("sys/block/nvme0n1/device/firmware_rev", "2B2QEXM7\n");
    Disk(tree, "sdaa", "100", "65:160");
    Disk(tree, "sdb", "976773168", "8:16");  // an ATA disk without vpd_pg89: its recorded IDENTIFY
    tree.Write("sys/block/sdb/device/vendor", "ATA     \n");
    tree.Write("sys/block/sdb/device/model", "WDC WD5000AAKX-0\n");  // cut: never shown
    tree.Write(".veltrix/replies/ata/sdb.identify.hex",
               HexOf(platform::MakeIdentifyBlock("WDC WD5000AAKX-083CA1", "15.01H15", "WD-WCAYUJ123456", base::CodePage::kUtf8)));
    Disk(tree, "loop0", "2048", "7:0");
    Disk(tree, "nbd0", "0", "43:0");
    tree.Write("proc/self/mountinfo", "");
    LinuxMachine machine(tree.Path());
    ASSERT_EQ(machine.OpenError(), "");
    collectors::HardDrives disks(machine);
    ASSERT_EQ(disks.Count(), 4);  // sdb, sdaa, nvme0n1, vda; loop and the empty nbd are no disks
    EXPECT_EQ(disks.Item(0)->Name(), L"WDC WD5000AAKX-083CA1");
    EXPECT_EQ(disks.Item(0)->Revision(), L"15.01H15");
    EXPECT_EQ(disks.Item(0)->SerialNumber(), L"WD-WCAYUJ123456");
    EXPECT_EQ(disks.Item(1)->Name(), L"");  // sdaa: SCSI without vendor or model
    EXPECT_EQ(disks.Item(2)->Name(), L"Samsung SSD 970 EVO Plus 500GB");
    EXPECT_EQ(disks.Item(2)->SerialNumber(), L"S4EVNX0N123456");
    EXPECT_EQ(disks.Item(2)->Controller(), 2);
    EXPECT_EQ(disks.Item(3)->SerialNumber(), L"virt-serial");
    // 1 GiB: 130 whole cylinders of 255 × 63 sectors.
    EXPECT_EQ(disks.Item(3)->Cylinders(), 130);
    EXPECT_EQ(disks.Item(3)->Capacity(), 130LL * 255 * 63 * 512);
}

TEST(LinuxDrives, UsbStickAndDvdWriterWithAndWithoutDisc) {
    TempDir tree;
    Disk(tree, "sdb", "31250000", "8:16");
    tree.Write("sys/block/sdb/removable", "1\n");
    tree.Write("sys/block/sdb/sdb1/dev", "8:17\n");
    tree.Write("sys/block/sdb/sdb1/partition", "1\n");
    tree.Write("sys/block/sdb/device/scsi_device/6:0:0:0/.keep", "");
    tree.Write("sys/class/scsi_host/host6/proc_name", "usb-storage\n");
    tree.Write("sys/block/sr0/dev", "11:0\n");
    tree.Write("sys/block/sr0/device/scsi_device/1:0:0:0/.keep", "");
    tree.Write("sys/block/sr1/dev", "11:1\n");
    tree.Write("sys/block/sr1/device/scsi_device/2:0:0:0/.keep", "");
    tree.Write("sys/block/sr1/device/vendor", "MATSHITA\n");
    tree.Write("sys/block/sr1/device/model", "CD-ROM CR-585   \n");
    tree.Write("sys/block/sr1/device/rev", "ZS15\n");
    tree.Write("proc/sys/dev/cdrom/info", "drive name:\tsr1\tsr0\nCan read DVD:\t0\t1\n");
    tree.Write("proc/self/mountinfo", "31 1 8:17 / /media/anna/STICK rw - vfat /dev/sdb1 rw\n"
                                      "32 1 11:1 / /media/anna/CD rw - iso9660 /dev/sr1 ro\n");
    tree.Write("run/udev/data/b8:17", "E:ID_FS_TYPE=vfat\nE:ID_FS_LABEL_ENC=STICK\nE:ID_FS_UUID=1c2d-9e0f\n");
    tree.Write(".veltrix/replies/statvfs/31.hex", "00 40 00 00 00 00 00 00  f0 3c 0f 00 00 00 00 00"
                                                  " 10 27 00 00 00 00 00 00  10 27 00 00 00 00 00 00");
    tree.Write(".veltrix/replies/scsi/sr0.inquiry.hex", "05 80 00 32 5b 00 00 00 \"HL-DT-STDVD+-RW GH22NS501.00\"");
    LinuxMachine machine(tree.Path());
    collectors::LogicalDrives logical(machine);
    ASSERT_EQ(logical.Count(), 3);
    const auto* stick = logical.Item(0);
    EXPECT_EQ(stick->Letter(), L"/media/anna/STICK");
    EXPECT_EQ(stick->DriveType(), 2);
    EXPECT_EQ(stick->Name(), L"STICK");
    EXPECT_EQ(stick->SerialNumber(), L"1C2D-9E0F");
    EXPECT_EQ(stick->Capacity(), 0xF3CF0LL * 0x4000);
    EXPECT_EQ(stick->FreeSpace(), 10000LL * 0x4000);
    EXPECT_EQ(logical.Item(1)->DriveType(), 5);  // sr1 reads no DVD
    EXPECT_EQ(logical.Item(1)->FileSystem(), L"iso9660");
    EXPECT_EQ(logical.Item(1)->Capacity(), 0);  // no recorded statvfs: refused
    EXPECT_EQ(logical.Item(2)->Letter(), L"/dev/sr0");
    EXPECT_EQ(logical.Item(2)->DriveType(), 7);
    EXPECT_EQ(logical.Item(2)->FileSystem(), L"");
    collectors::OpticalDrives optical(machine);
    ASSERT_EQ(optical.Count(), 2);  // in the drive list's order: the mounted disc first
    // sr1 answers no command, but the kernel keeps its INQUIRY fields in sysfs.
    EXPECT_EQ(optical.Item(0)->Letter(), L"/media/anna/CD");
    EXPECT_EQ(optical.Item(0)->Manufacturer(), L"MATSHITA");
    EXPECT_EQ(optical.Item(0)->Name(), L"CD-ROM CR-585   ");
    EXPECT_EQ(optical.Item(0)->Revision(), L"ZS15");
    EXPECT_EQ(optical.Item(1)->Letter(), L"/dev/sr0");
    EXPECT_EQ(optical.Item(1)->Interface(), L"SPTI");
    EXPECT_EQ(optical.Item(1)->Manufacturer(), L"HL-DT-ST");
    EXPECT_EQ(optical.Item(1)->ReadMaximumSpeed(), 0);  // no page 2Ah recorded
}

// A real ext4 volume, made and mounted for the test: needs root and loop devices.
TEST(LinuxDrives, RealExt4VolumeOnALoopDevice) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount a loop device";
    if (std::system("command -v mkfs.ext4 >/dev/null 2>&1") != 0) GTEST_SKIP() << "mkfs.ext4 is not installed";
    // A mount namespace of this test's own, so other tests running meanwhile
    // never see the volume in their drive lists.
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "cannot make a private mount namespace";
    TempDir dir;
    const std::string image = dir.Path() + "/volume.img", mountPoint = dir.Path() + "/mnt";
    std::filesystem::create_directory(mountPoint);
    const std::string make = "truncate -s 32M " + image + " && mkfs.ext4 -q -L VeltrixTest -U "
                             "0a1b2c3d-1111-2222-3333-444455556666 " + image + " 2>/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    if (std::system(("mount -o loop " + image + " " + mountPoint + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "loop devices cannot be mounted here";
    struct Unmount {
        std::string point;
        ~Unmount() { ::umount(point.c_str()); }
    } unmount{mountPoint};
    LinuxMachine machine("/");
    collectors::LogicalDrives logical(machine);
    struct statvfs figures {};
    ASSERT_EQ(::statvfs(mountPoint.c_str(), &figures), 0);
    const collectors::LogicalDriveItem* volume = nullptr;
    for (std::int16_t i = 0; i < logical.Count(); ++i)
        if (logical.Item(i)->Letter() == std::wstring(mountPoint.begin(), mountPoint.end())) volume = logical.Item(i);
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->DriveType(), 3);
    EXPECT_EQ(volume->FileSystem(), L"ext4");
    EXPECT_EQ(volume->Name(), L"VeltrixTest");
    EXPECT_EQ(volume->SerialNumber(), L"0A1B-2C3D");
    EXPECT_EQ(volume->Capacity(), static_cast<std::int64_t>(figures.f_blocks * figures.f_frsize));
    EXPECT_EQ(volume->FreeSpace(), static_cast<std::int64_t>(figures.f_bavail * figures.f_frsize));
}

}  // namespace

namespace {

TEST(LinuxDrives, AnAtaDiskWithoutItsIdentifyShowsNoCutModel) {
    TempDir tree;
    Disk(tree, "sda", "976773168", "8:0");
    tree.Write("sys/block/sda/device/vendor", "ATA     \n");
    tree.Write("sys/block/sda/device/model", "WDC WD5000AAKX-0\n");
    tree.Write("sys/block/sda/device/rev", "1H15\n");
    tree.Write("sys/block/sda/device/vpd_pg80", std::string("\0\x80\0\x0f" "WD-WCAYUJ123456", 19));
    LinuxMachine machine(tree.Path());
    collectors::HardDrives disks(machine);
    ASSERT_EQ(disks.Count(), 1);  // every whole disk appears
    EXPECT_EQ(disks.Item(0)->Name(), L"");
    EXPECT_EQ(disks.Item(0)->Revision(), L"");
    EXPECT_EQ(disks.Item(0)->SerialNumber(), L"WD-WCAYUJ123456");
}

TEST(LinuxDrives, DeviceRequestsOnlyOnOpenDevices) {
    TempDir tree;
    Disk(tree, "sda", "100", "8:0");
    Disk(tree, "sdb", "100", "8:16");
    tree.Write("proc/self/mountinfo", "");
    LinuxMachine machine(tree.Path());
    auto& drives = machine.Drives();
    using namespace platform;
    const auto open = [&](const char* name) {
        return drives.CreateFileA(name, drive::kGenericRead | drive::kGenericWrite, 3, drive::kOpenExisting, 0);
    };
    EXPECT_EQ(open("\\\\.\\PhysicalDrive2"), kInvalidHandleValue);  // two disks only
    EXPECT_EQ(open("\\\\.\\PhysicalDrive01"), kInvalidHandleValue);
    EXPECT_EQ(open("\\\\.\\/nowhere"), kInvalidHandleValue);
    const auto second = open("\\\\.\\PhysicalDrive1");
    ASSERT_NE(second, kInvalidHandleValue);
    std::array<std::uint8_t, 24> version{};
    std::uint32_t returned = 0;
    ASSERT_TRUE(drives.DeviceIoControl(second, drive::kSmartGetVersion, {}, version, returned));
    EXPECT_EQ(version[3], 2);  // this drive's bit in the device map
    // IDENTIFY wants the IDENTIFY command and a reply buffer of 528 bytes.
    SendCmdInParams request;
    request.irDriveRegs.bCommandReg = 0xA1;
    std::array<std::uint8_t, sizeof(request)> in{};
    WriteRecord(request, std::span<std::uint8_t>(in));
    std::array<std::uint8_t, 528> out{};
    EXPECT_FALSE(drives.DeviceIoControl(second, drive::kSmartRcvDriveData, in, out, returned));
    request.irDriveRegs.bCommandReg = SendCmdInParams::kIdentifyDevice;
    WriteRecord(request, std::span<std::uint8_t>(in));
    EXPECT_FALSE(drives.DeviceIoControl(second, drive::kSmartRcvDriveData, in,
                                        std::span<std::uint8_t>(out).first(527), returned))
        << "a reply buffer one byte short";
    EXPECT_TRUE(drives.DeviceIoControl(second, drive::kSmartRcvDriveData, in, out, returned)) << "528 bytes";
    EXPECT_TRUE(drives.CloseHandle(second));
    EXPECT_FALSE(drives.DeviceIoControl(second, drive::kSmartGetVersion, {}, version, returned));
    EXPECT_FALSE(drives.CloseHandle(second));
}

TEST(LinuxDrives, VolumesOnDeviceMapperFindTheirDisk) {
    TempDir tree;
    Disk(tree, "sdb", "1000000", "8:16");
    tree.Write("sys/block/sdb/removable", "1\n");
    tree.Write("sys/block/sdb/sdb2/dev", "8:18\n");
    tree.Write("sys/block/dm-0/dev", "253:0\n");
    tree.Write("sys/block/dm-0/slaves/sdb2/.keep", "");
    tree.Write("proc/self/mountinfo", "40 1 253:0 / /mnt/crypt rw - ext4 /dev/mapper/crypt rw\n");
    LinuxMachine machine(tree.Path());
    collectors::LogicalDrives logical(machine);
    ASSERT_EQ(logical.Count(), 1);
    EXPECT_EQ(logical.Item(0)->DriveType(), 2);  // the stick's removable media beneath the mapping
}

}  // namespace

namespace {

TEST(StatVolume, TheTimeLimitedCallAnswersLikeTheDirectOne) {
    using platform::linux_backend::StatVolume;
    const auto direct = StatVolume("/");
    const auto limited = StatVolume("/", std::chrono::milliseconds(2000));
    ASSERT_TRUE(direct && limited);
    EXPECT_EQ(limited->fragmentSize, direct->fragmentSize);
    EXPECT_EQ(limited->blocks, direct->blocks);
    EXPECT_FALSE(StatVolume("/no/such/mount/point", std::chrono::milliseconds(2000)));
    EXPECT_FALSE(StatVolume("/no/such/mount/point"));
}

}  // namespace
