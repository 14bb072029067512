// What the window's 500 ms refresh reads: the memory figures, the lock keys
// and the power supplies, read again on every tick from files the kernel
// writes in a few lines, with the listings made once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/parsers/meminfo.h"
#include "support.h"

using namespace platform::linux_backend;

namespace {

namespace fs = std::filesystem;

// The address space's free part as the first read finds it: from every
// mapping of /proc/self/maps.
std::uint64_t FreeFromMaps(const std::string& maps) {
    const auto mappings = ParseMaps(maps);
    EXPECT_TRUE(mappings);
    return UserAddressSpace(true, mappings.value_or(std::vector<Mapping>{})).available;
}

// The kernel's own sum of a tree's mappings, as /proc/self/status gives it.
std::string StatusOf(const std::string& maps) {
    std::uint64_t size = 0;
    const auto mappings = ParseMaps(maps);
    for (const auto& mapping : *mappings)
        if (mapping.name != "[vsyscall]") size += mapping.end - mapping.start;
    return "Name:\tveltrix\nUmask:\t0022\nVmPeak:\t  " + std::to_string(size / 1024 + 64) + " kB\nVmSize:\t  " +
           std::to_string(size / 1024) + " kB\nVmLck:\t       0 kB\n";
}

}  // namespace

TEST(LinuxMemoryStatus, VmSizeIsTheSizeOfTheStatusLineInBytes) {
    EXPECT_EQ(ProcessVirtualSize("Name:\tx\nVmPeak:\t  9 kB\nVmSize:\t   16564 kB\nVmRSS:\t 3 kB\n"), 16564u * 1024);
    EXPECT_EQ(ProcessVirtualSize("VmSize:\t0 kB\n"), 0u);
    EXPECT_EQ(ProcessVirtualSize("VmSize:\t18014398509481983 kB\n"), 18014398509481983u * 1024) << "the largest that fits";
    EXPECT_FALSE(ProcessVirtualSize("VmSize:\t18014398509481984 kB\n")) << "one more passes 64 bits";
    EXPECT_FALSE(ProcessVirtualSize("VmSize:\t16564 MB\n")) << "only the kernel's unit";
    EXPECT_FALSE(ProcessVirtualSize("VmSize:\t16564\n"));
    EXPECT_FALSE(ProcessVirtualSize("VmSize:\t-1 kB\n"));
    EXPECT_FALSE(ProcessVirtualSize("Name:\tkthreadd\nState:\tS\n")) << "a kernel thread has no mappings";
}

TEST(LinuxMemoryStatus, TheRefreshedFigureIsTheMappingsFigureOnThisMachine) {
    LinuxMachine machine("/");
    ASSERT_TRUE(machine.GlobalMemoryStatusEx()) << "the first read, from the mappings";
    // The process may map or unmap between two reads; the figures are
    // compared when the mappings read before and after the refresh agree.
    for (int attempt = 0; attempt < 20; ++attempt) {
        const std::uint64_t before = FreeFromMaps(linux_tests::ReadWholeFile("/proc/self/maps"));
        const auto refreshed = machine.GlobalMemoryStatusEx();
        const std::uint64_t after = FreeFromMaps(linux_tests::ReadWholeFile("/proc/self/maps"));
        ASSERT_TRUE(refreshed);
        if (before != after) continue;
        EXPECT_EQ(refreshed->availVirtual, before);
        const auto mappings = ParseMaps(linux_tests::ReadWholeFile("/proc/self/maps"));
        ASSERT_TRUE(mappings);
        EXPECT_EQ(refreshed->totalVirtual, UserAddressSpace(true, *mappings).total);
        return;
    }
    GTEST_SKIP() << "the mappings kept changing";
}

TEST(LinuxMemoryStatus, ACapturedTreeGivesTheSameFigureOnEveryTick) {
    linux_tests::TempDir tree;
    const std::string source = std::string(VELTRIX_TREES_DIR) + "/laptop";
    fs::copy(source, tree.Path(), fs::copy_options::recursive);
    const std::string maps = linux_tests::ReadWholeFile(source + "/proc/self/maps");
    {
        // Without a status file every tick reads the mappings.
        LinuxMachine machine(tree.Path());
        const auto first = machine.GlobalMemoryStatusEx();
        const auto second = machine.GlobalMemoryStatusEx();
        ASSERT_TRUE(first && second);
        EXPECT_EQ(first->availVirtual, FreeFromMaps(maps));
        EXPECT_EQ(second->availVirtual, first->availVirtual);
        EXPECT_EQ(second->totalVirtual, first->totalVirtual);
    }
    tree.Write("proc/self/status", StatusOf(maps));
    LinuxMachine machine(tree.Path());
    const auto first = machine.GlobalMemoryStatusEx();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->availVirtual, FreeFromMaps(maps));
    // The mappings are not read again: a later tick takes the status file's figure.
    fs::remove(tree.Path() + "/proc/self/maps");
    const auto second = machine.GlobalMemoryStatusEx();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->availVirtual, first->availVirtual);
    EXPECT_EQ(second->totalVirtual, first->totalVirtual);
    // The process grows by 1 MiB: so does the part in use.
    tree.Write("proc/self/status", "VmSize:\t" + std::to_string(*ProcessVirtualSize(StatusOf(maps)) / 1024 + 1024) + " kB\n");
    EXPECT_EQ(machine.GlobalMemoryStatusEx()->availVirtual, first->availVirtual - 1024 * 1024);
}

TEST(LinuxLiveSources, LockLedsAreListedOnceAndAgainWhenOneIsGone) {
    linux_tests::TempDir tree;
    tree.Write("sys/class/leds/input3::capslock/brightness", "0\n");
    tree.Write("sys/class/leds/input3::numlock/brightness", "1\n");
    LinuxMachine machine(tree.Path());
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkCapital), 0);
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkNumLock), 1);
    // A value changes: read on the next tick.
    tree.Write("sys/class/leds/input3::capslock/brightness", "1\n");
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkCapital), 1);
    // A new LED is not looked for on every tick...
    tree.Write("sys/class/leds/input9::scrolllock/brightness", "1\n");
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkScroll), 0);
    // ...but once a listed one is gone (its keyboard unplugged), the folder is listed again.
    fs::remove_all(tree.Path() + "/sys/class/leds/input3::capslock");
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkCapital), 0);
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkScroll), 1);
    EXPECT_EQ(machine.GetKeyState(platform::code::kVkNumLock), 1);
}

TEST(LinuxLiveSources, PowerSuppliesAreListedOnceAndAgainWhenOneIsGone) {
    linux_tests::TempDir tree;
    tree.Write("sys/class/power_supply/AC/type", "Mains\n");
    tree.Write("sys/class/power_supply/AC/online", "1\n");
    LinuxMachine machine(tree.Path());
    EXPECT_EQ(machine.GetSystemPowerStatus()->acLineStatus, 1);
    tree.Write("sys/class/power_supply/AC/online", "0\n");
    EXPECT_EQ(machine.GetSystemPowerStatus()->acLineStatus, 0) << "values are read on every tick";
    tree.Write("sys/class/power_supply/ADP1/type", "Mains\n");
    tree.Write("sys/class/power_supply/ADP1/online", "1\n");
    EXPECT_EQ(machine.GetSystemPowerStatus()->acLineStatus, 0) << "the folder is not listed on every tick";
    fs::remove_all(tree.Path() + "/sys/class/power_supply/AC");
    EXPECT_EQ(machine.GetSystemPowerStatus()->acLineStatus, 1) << "the tick that finds one gone lists the folder again";
}
