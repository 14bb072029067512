// The parsers of the Linux drives on inline text: mountinfo, the udev
// database, vpd pages, the natural order of disk names, volume serials, the
// recorded statvfs and blkid replies, the cdrom table, SCSI request names.

#include <gtest/gtest.h>

#include "platform/identify_block.h"
#include "platform/linux/areas/block_devices.h"
#include "platform/linux/parsers/cdrom_info.h"
#include "platform/linux/areas/disk_identity.h"
#include "platform/linux/areas/linux_drives.h"
#include "platform/linux/areas/linux_volumes.h"
#include "platform/linux/parsers/mountinfo.h"
#include "platform/linux/io/scsi_pass_through.h"
#include "platform/linux/parsers/udev_database.h"
#include "platform/linux/io/volume_replies.h"
#include "platform/linux/parsers/volume_serial.h"

namespace {

using namespace platform::linux_backend;

TEST(MountInfo, FieldsEscapesAndBadLines) {
    const auto entries = ParseMountInfo(
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "36 35 98:0 /mnt1 /mnt/my\\040disk rw,noatime master:1 shared:2 - vfat /dev/sdb1 rw\n"
        "garbage line\n"
        "40 27 0:50 / /srv rw - nfs4\n"  // no source: still a mount
        "x 27 0:51 / /bad rw - tmpfs tmpfs\n"
        "41 27 8 / /bad rw - tmpfs tmpfs\n"
        "42 27 0:52 / /nosep rw ext4 /dev/sda\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].mountId, 27u);
    EXPECT_EQ(entries[0].major, 254u);
    EXPECT_EQ(entries[0].fsType, "ext4");
    EXPECT_EQ(entries[1].mountPoint, "/mnt/my disk");
    EXPECT_EQ(entries[1].fsType, "vfat");
    EXPECT_EQ(entries[1].source, "/dev/sdb1");
    EXPECT_EQ(entries[2].source, "");
    EXPECT_EQ(UnescapeMountField("a\\134b\\0"), "a\\b\\0");
}

TEST(UdevDatabase, LabelPrefersTheEncodedForm) {
    const auto identity = VolumeIdentityFromUdev(
        "S:disk/by-uuid/1234-ABCD\nE:ID_FS_TYPE=vfat\nE:ID_FS_LABEL=MY_STICK\n"
        "E:ID_FS_LABEL_ENC=MY\\x20STICK\nE:ID_FS_UUID=1234-ABCD\nE:=empty key\n");
    ASSERT_TRUE(identity);
    EXPECT_EQ(identity->label, "MY STICK");
    EXPECT_EQ(identity->uuid, "1234-ABCD");
    EXPECT_FALSE(VolumeIdentityFromUdev("E:ID_PART_TABLE_TYPE=gpt\n"));
    EXPECT_EQ(DecodeUdevEscapes("a\\x4"), "a\\x4");  // cut escape stays as written
}

TEST(DiskNames, KindsAndNaturalOrder) {
    EXPECT_EQ(WholeDiskKind("sda"), DiskKind::kScsi);
    EXPECT_EQ(WholeDiskKind("hdb"), DiskKind::kScsi);
    EXPECT_EQ(WholeDiskKind("nvme0n1"), DiskKind::kNvme);
    EXPECT_EQ(WholeDiskKind("xvda"), DiskKind::kVirtio);
    EXPECT_EQ(WholeDiskKind("mmcblk0"), DiskKind::kMmc);
    EXPECT_EQ(WholeDiskKind("mmcblk0boot0"), std::nullopt);
    for (const auto* skipped : {"loop0", "ram0", "zram0", "dm-0", "md127", "sr0", "fd0"})
        EXPECT_EQ(WholeDiskKind(skipped), std::nullopt) << skipped;
    EXPECT_TRUE(NaturalLess("sdb", "sdaa"));
    EXPECT_FALSE(NaturalLess("sdaa", "sdb"));
    EXPECT_TRUE(NaturalLess("nvme2n1", "nvme10n1"));
    EXPECT_TRUE(NaturalLess("sda", "sdb"));
    EXPECT_FALSE(NaturalLess("sda", "sda"));
    EXPECT_TRUE(NaturalLess("sr1", "sr10"));
}

TEST(VolumeSerial, ByFileSystem) {
    EXPECT_EQ(VolumeSerialFromUuid("vfat", "1234-ABCD"), 0x1234ABCDu);
    EXPECT_EQ(VolumeSerialFromUuid("exfat", "0000-0000"), 0u);
    EXPECT_EQ(VolumeSerialFromUuid("ntfs", "0123456789ABCDEF"), 0x89ABCDEFu);
    EXPECT_EQ(VolumeSerialFromUuid("ext4", "a1b2c3d4-1111-2222-3333-444455556666"), 0xA1B2C3D4u);
    EXPECT_EQ(VolumeSerialFromUuid("iso9660", "2024-05-06-07-08-09-00"), 0x20240506u);
    EXPECT_EQ(VolumeSerialFromUuid("ext4", ""), std::nullopt);
    EXPECT_EQ(VolumeSerialFromUuid("ext4", "1234"), std::nullopt);
    EXPECT_EQ(VolumeSerialFromUuid("ext4", "zz34abcd"), std::nullopt);
}

TEST(VpdPages, IdentifyAndSerial) {
    std::string page89(572, '\0');
    page89[1] = '\x89';
    page89[60 + 54] = 'A';  // first model byte as stored: the second character
    const auto block = IdentifyFromVpd89(page89);
    ASSERT_TRUE(block);
    EXPECT_EQ((*block)[54], 'A');
    EXPECT_FALSE(IdentifyFromVpd89(page89.substr(0, 571)));  // cut short
    page89[1] = '\x80';
    EXPECT_FALSE(IdentifyFromVpd89(page89));  // another page
    EXPECT_EQ(SerialFromVpd80(std::string("\0\x80\0\x0a  WD-12345", 14)), "WD-12345");
    EXPECT_EQ(SerialFromVpd80(std::string("\0\x80\0\xff" "ABC", 7)), "ABC");  // length beyond the page
    EXPECT_EQ(SerialFromVpd80("\0"), "");
}

TEST(IdentifyBlock, IdeIdentityTextsGoBackToTheDrivesOrder) {
    Bytes identify(512, 0);
    const std::string model = "Maxtor 6Y080P0";  // as the IDE driver hands it over
    std::copy(model.begin(), model.end(), identify.begin() + 54);
    identify[0] = 0x40;  // words outside the texts stay
    SwapIdentifyTexts(identify);
    EXPECT_EQ(identify[54], 'a');
    EXPECT_EQ(identify[55], 'M');
    EXPECT_EQ(identify[0], 0x40);
    SwapIdentifyTexts(identify);
    EXPECT_EQ(std::string(identify.begin() + 54, identify.begin() + 68), model);
}

TEST(IdentifyBlock, TextsInAtaWordOrder) {
    const auto block = platform::MakeIdentifyBlock("Samsung SSD 970", "2B2QEXM7", "S4EWNX0N123456Z", base::CodePage::kUtf8);
    EXPECT_EQ(block[54], 'a');  // "Sa" stored as 'a','S'
    EXPECT_EQ(block[55], 'S');
    EXPECT_EQ(block[46], 'B');
    EXPECT_EQ(block[93], ' ');  // padded with blanks
    EXPECT_EQ(block[0], 0);
}

TEST(VolumeReplies, StatvfsRoundTripAndClusters) {
    const VolumeFigures figures{4096, 66053021, 21000000, 20765385};
    const auto reply = EncodeStatvfsReply(figures);
    ASSERT_EQ(reply.size(), kStatvfsReplySize);
    const auto decoded = DecodeStatvfsReply(reply);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->availableBlocks, 20765385u);
    EXPECT_FALSE(DecodeStatvfsReply(Bytes(31)));
    const auto clusters = ClustersOfVolume(figures);
    ASSERT_TRUE(clusters);
    EXPECT_EQ(clusters->bytesPerSector, 512u);
    EXPECT_EQ(clusters->sectorsPerCluster, 8u);
    EXPECT_EQ(clusters->totalNumberOfClusters, 66053021u);
    EXPECT_EQ(clusters->numberOfFreeClusters, 20765385u);  // what the user may use
    // 16 TiB of 4 KiB blocks: 2^32 blocks, scaled twice to fit 31 bits.
    const auto big = ClustersOfVolume({4096, 1ull << 32, 0, 1ull << 31});
    ASSERT_TRUE(big);
    EXPECT_EQ(big->sectorsPerCluster, 32u);
    EXPECT_EQ(big->totalNumberOfClusters, 1u << 30);
    EXPECT_EQ(std::uint64_t{big->sectorsPerCluster} * big->bytesPerSector * big->totalNumberOfClusters, 1ull << 44);
    EXPECT_EQ(ClustersOfVolume({2048, 0x7FFFFFFF, 0, 0})->totalNumberOfClusters, 0x7FFFFFFFu);  // not scaled
    EXPECT_EQ(ClustersOfVolume({1000, 10, 5, 5})->bytesPerSector, 1000u);  // odd fragment sizes stay whole
    EXPECT_FALSE(ClustersOfVolume({0, 10, 5, 5}));
}

TEST(VolumeReplies, BlkidThreeTexts) {
    const VolumeIdentity identity{"vfat", "STICK", "1234-ABCD"};
    const auto decoded = DecodeBlkidReply(EncodeBlkidReply(identity));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->label, "STICK");
    EXPECT_EQ(decoded->uuid, "1234-ABCD");
    EXPECT_FALSE(DecodeBlkidReply(Bytes{'a', 0, 'b', 0}));
    EXPECT_FALSE(DecodeBlkidReply(Bytes{'a', 0, 0, 0, 'x'}));
    EXPECT_TRUE(DecodeBlkidReply(Bytes{0, 0, 0}));
}

TEST(CdromInfo, DvdColumnPerDrive) {
    const auto drives = DrivesReadingDvd(
        "CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\ndrive name:\t\tsr1\tsr0\ndrive speed:\t\t48\t24\n"
        "Can read DVD:\t\t1\t0\n");
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_TRUE(drives.at("sr1"));
    EXPECT_FALSE(drives.at("sr0"));
    EXPECT_TRUE(DrivesReadingDvd("").empty());
}

TEST(ScsiRequests, NamesOfRecordedCommands) {
    const std::uint8_t inquiry[] = {0x12, 0, 0, 0, 0x24, 0};
    const std::uint8_t vpdInquiry[] = {0x12, 1, 0x80, 0, 0xFF, 0};
    const std::uint8_t modeSense[] = {0x5A, 0, 0x2A, 0, 0, 0, 0, 0, 0x1E, 0};
    const std::uint8_t toc[] = {0x43, 2, 0, 0, 0, 0, 0, 3, 0x24, 0};
    EXPECT_EQ(ScsiRequestName("sr0", inquiry), "sr0.inquiry");
    EXPECT_EQ(ScsiRequestName("sr0", vpdInquiry), "sr0.cdb-12018000ff00");
    EXPECT_EQ(ScsiRequestName("sr1", modeSense), "sr1.mode-2a");
    EXPECT_EQ(ScsiRequestName("sr0", toc), "sr0.cdb-43020000000000032400");
}

TEST(Volumes, ListedByKindInMountOrderThenEmptyOpticalDrives) {
    const auto mounts = ParseMountInfo(
        "22 27 0:21 / /proc rw - proc proc rw\n"
        "25 24 0:23 / /dev/shm rw - tmpfs tmpfs rw\n"
        "27 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
        "30 27 0:40 / /tmp rw - tmpfs tmpfs rw\n"
        "31 27 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n"
        "32 27 0:41 / /srv/data rw - nfs4 server:/data rw\n"
        "33 27 11:1 / /media/cdrom rw - iso9660 /dev/sr1 ro\n"
        "34 27 0:60 / /home rw - btrfs /dev/sda3 rw\n"
        "35 27 0:61 / /var/lib/docker rw - overlay overlay rw\n");
    BlockDeviceNumbers numbers;
    numbers[{8, 0}] = {"sda", "sda"};
    numbers[{8, 2}] = {"sda", "sda2"};
    numbers[{8, 3}] = {"sda", "sda3"};
    numbers[{8, 16}] = {"sdb", "sdb"};
    numbers[{8, 17}] = {"sdb", "sdb1"};
    numbers[{11, 0}] = {"sr0", "sr0"};
    numbers[{11, 1}] = {"sr1", "sr1"};
    const auto volumes = ListVolumes(mounts, numbers, {"sr0", "sr1"}, {"sdb"});
    std::vector<std::pair<std::string, std::uint32_t>> listed;
    for (const auto& v : volumes) listed.emplace_back(v.root, v.driveType);
    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"/", 3}, {"/tmp", 6}, {"/media/stick", 2}, {"/srv/data", 4}, {"/media/cdrom", 5}, {"/home", 3}, {"/dev/sr0", 5}};
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(volumes[5].blockName, "sda3");  // btrfs's anonymous number: found by its source
    EXPECT_EQ(volumes[5].major, 8u);
    EXPECT_FALSE(volumes[6].mount);
}

}  // namespace
