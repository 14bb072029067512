// Trees of large machines and files that would cost without bound: thousands
// of mounts and optical drives, hundreds of thousands of display modes, files
// that say they are larger than the reader takes, a megabyte-long reply
// token, sector sizes that are none.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "base/bytes.h"
#include "collectors/Display.h"
#include "collectors/HardDrives.h"
#include "collectors/LogicalDrives.h"
#include "collectors/OpticalDrives.h"
#include "platform/drive_records.h"
#include "platform/linux/areas/linux_drives.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/io/drm_modes.h"
#include "platform/linux/io/randr_screen.h"
#include "platform/linux/io/reply_file.h"
#include "platform/linux/io/root_fs.h"
#include "support.h"

using namespace platform::linux_backend;
using linux_tests::TempDir;

namespace {

// A randr-modes reply of `count` distinct modes, the last one current.
base::Bytes RandrModes(std::size_t count) {
    RandrScreen screen;
    screen.bitsPerPixel = 32;
    for (std::size_t i = 0; i < count; ++i)
        screen.modes.push_back({static_cast<std::uint32_t>(640 + i % 4000), static_cast<std::uint32_t>(480 + i / 4000),
                                60, i + 1 == count});
    return EncodeRandrScreen(screen);
}

}  // namespace

TEST(LargeTrees, EveryMountPointIsMadeADriveNameOnce) {
    constexpr int kMounts = 4000;
    TempDir tree;
    std::string mountinfo;
    for (int i = 0; i < kMounts; ++i)
        mountinfo += std::to_string(100 + i) + " 1 0:" + std::to_string(50 + i) + " / /srv/c" + std::to_string(i) +
                     " rw - tmpfs tmpfs rw\n";
    tree.Write("proc/self/mountinfo", mountinfo);
    LinuxMachine machine(tree.Path());
    const collectors::LogicalDrives drives(machine);
    ASSERT_EQ(drives.Count(), kMounts);
    EXPECT_EQ(drives.Item(kMounts - 1)->Letter(), L"/srv/c3999");
    EXPECT_EQ(drives.Item(kMounts - 1)->DriveType(), platform::drive::kDriveRamdisk);
    EXPECT_EQ(dynamic_cast<LinuxDrives&>(machine.Drives()).NameDecodes(), std::size_t{kMounts})
        << "each mount point once, however many requests name it";
}

TEST(LargeTrees, ThousandsOfOpticalDrivesEachListedOnceWithItsNumber) {
    constexpr int kDrives = 3000;
    TempDir tree;
    for (int i = 0; i < kDrives; ++i) tree.Write("sys/block/sr" + std::to_string(i) + "/dev", "11:" + std::to_string(i) + "\n");
    tree.Write("proc/self/mountinfo", "");
    LinuxMachine machine(tree.Path());
    auto& backend = dynamic_cast<LinuxDrives&>(machine.Drives());
    const collectors::LogicalDrives drives(backend, machine.TextCodePage());
    ASSERT_EQ(drives.Count(), kDrives);
    EXPECT_EQ(drives.Item(0)->Letter(), L"/dev/sr0");
    EXPECT_EQ(drives.Item(kDrives - 1)->Letter(), L"/dev/sr2999") << "in natural name order";
    EXPECT_EQ(backend.NameDecodes(), std::size_t{kDrives});
    const collectors::OpticalDrives optical(backend, machine.TextCodePage());  // tries the first 24 only
    EXPECT_EQ(optical.Count(), 0) << "no drive answers INQUIRY without its sysfs identity";
}

TEST(LargeTrees, ModeRepliesAreCutToWhatThePageCountsAndRepeatsDroppedInOnePass) {
    const auto randr = DecodeRandrScreen(RandrModes(200000));
    ASSERT_TRUE(randr);
    ASSERT_EQ(randr->modes.size(), kMaxScreenModes) << "the first 32,767 modes of 200,000";
    EXPECT_EQ(randr->modes.back().width, 640u + 32766 % 4000);

    base::Bytes drm(80000 * DrmModeInfoLayout::kSize, 0);
    const auto drmModes = DecodeDrmModes(drm);
    ASSERT_TRUE(drmModes);
    EXPECT_EQ(drmModes->size(), kMaxScreenModes) << "the first 32,767 modes of 80,000";

    // Distinct modes: each compared with nothing or with a few that share its hash bucket.
    std::size_t comparisons = 0;
    EXPECT_EQ(WithoutRepeats(randr->modes, &comparisons).size(), kMaxScreenModes);
    EXPECT_LT(comparisons, 2 * kMaxScreenModes);
    // All the same: each compared once with the one kept.
    comparisons = 0;
    const auto same = WithoutRepeats(std::vector<ScreenMode>(kMaxScreenModes, ScreenMode{800, 600, 60, false}), &comparisons);
    EXPECT_EQ(same.size(), 1u);
    EXPECT_LT(comparisons, 2 * kMaxScreenModes);
}

TEST(LargeTrees, TheDisplayPageOfATreeWith200000RecordedModes) {
    TempDir tree;
    const auto reply = RandrModes(200000);
    tree.Write(".veltrix/replies/x11/randr-modes.hex", FormatReplyFile("x11", "randr-modes", reply));
    LinuxMachine machine(tree.Path());
    const collectors::Display display(machine);
    ASSERT_EQ(display.Count(), 32767);
    EXPECT_EQ(display.SelectedIndex(), -1) << "the mode in use was past the first 32,767";
}

TEST(LargeTrees, AFileLargerThanTheLimitIsRefusedUnread) {
    TempDir tree;
    tree.Write("sys/bus/usb/devices/1-1/descriptors", "");
    const std::string path = tree.Path() + "/sys/bus/usb/devices/1-1/descriptors";
    ASSERT_EQ(::truncate(path.c_str(), 1ll << 30), 0) << "a sparse gigabyte";
    tree.Write("proc/cpuinfo", std::string(5000, 'x'));
    const RootFs fs(tree.Path());
    EXPECT_FALSE(fs.ReadFile("/sys/bus/usb/devices/1-1/descriptors"));
    EXPECT_EQ(fs.BytesRead(), 0u) << "refused by its size, before a byte was read";
    EXPECT_FALSE(fs.ReadFile("/proc/cpuinfo", 4999)) << "one byte more than the limit";
    EXPECT_EQ(fs.ReadFile("/proc/cpuinfo", 5000)->size(), 5000u) << "exactly the limit";
    // Sysfs says a page for every text attribute: a short limit still reads them.
    tree.Write("sys/block/sda/device/vendor", std::string(4096, 'v'));
    EXPECT_FALSE(fs.ReadFile("/sys/block/sda/device/vendor", 256)) << "what it holds passes the limit";
    tree.Write("sys/block/sda/device/model", "ATA\n");
    EXPECT_EQ(fs.ReadFile("/sys/block/sda/device/model", 256), "ATA\n");
}

TEST(LargeTrees, AMegabyteReplyTokenGivesAShortErrorLine) {
    const std::string token(1u << 20, 'z');
    const auto parsed = ParseReplyFile("4f " + token + "\n");
    EXPECT_FALSE(parsed.bytes);
    EXPECT_LT(parsed.error.size(), 400u);
    EXPECT_EQ(parsed.error.rfind("line 1: \"zzz", 0), 0u) << parsed.error.substr(0, 100);
    EXPECT_NE(parsed.error.find("(1048576 bytes)\" is neither a byte"), std::string::npos) << parsed.error;
}

TEST(LargeTrees, LogicalBlockSizesArePowersOfTwoFrom512To64KiB) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"512", 512}, {"4096", 4096}, {"65536", 65536}, {"3", 0}, {"256", 0}, {"131072", 0}, {"1000", 0}, {"0", 0},
        {nullptr, 512}};
    for (const auto& [text, sector] : cases) {
        TempDir tree;
        tree.Write("sys/block/sda/size", "2097152\n");
        tree.Write("sys/block/sda/dev", "8:0\n");
        if (text) tree.Write("sys/block/sda/queue/logical_block_size", std::string(text) + "\n");
        tree.Write("proc/self/mountinfo", "");
        LinuxMachine machine(tree.Path());
        const collectors::HardDrives disks(machine);
        ASSERT_EQ(disks.Count(), 1);
        EXPECT_EQ(disks.Item(0)->BytesPerSector(), sector) << (text ? text : "no attribute: the old kernels' 512");
    }
}
