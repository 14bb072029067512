// This machine: what the backend and the processor collector find agrees
// with what the kernel says in /proc.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "collectors/Processor.h"
#include "platform/linux/areas/linux_machine.h"
#include "platform/linux/parsers/meminfo.h"
#include "platform/linux/parsers/os_release.h"
#include "platform/linux/parsers/text_fields.h"
#include "support.h"

using namespace platform::linux_backend;

namespace {

// The fields of the first processor block of /proc/cpuinfo, and every "cpu MHz".
struct Cpuinfo {
    std::map<std::string, std::string> first;
    std::vector<std::string> megahertz;
    unsigned processors = 0;
};

Cpuinfo ReadCpuinfo() {
    Cpuinfo info;
    bool firstBlock = true;
    // The lines are views into the text, which must outlive them.
    const std::string text = linux_tests::ReadWholeFile("/proc/cpuinfo");
    for (auto line : SplitLines(text)) {
        if (Trim(line).empty()) {
            firstBlock = info.processors == 0;
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string key(Trim(line.substr(0, colon))), value(Trim(line.substr(colon + 1)));
        if (key == "processor") ++info.processors;
        if (key == "cpu MHz") info.megahertz.push_back(value);
        if (firstBlock && !info.first.count(key)) info.first[key] = value;
    }
    return info;
}

}  // namespace

TEST(LinuxLive, ProcessorAgreesWithProcCpuinfo) {
    const Cpuinfo cpuinfo = ReadCpuinfo();
    if (!cpuinfo.first.count("vendor_id")) GTEST_SKIP() << "not an x86 processor";
    LinuxMachine machine("/");
    ASSERT_TRUE(machine.IsLive());
    const collectors::Processor processor(machine);

    std::string name = cpuinfo.first.at("model name");
    std::wstring ours = processor.Name();
    while (!ours.empty() && ours.back() == L' ') ours.pop_back();  // the kernel trims the end too
    EXPECT_EQ(ours, std::wstring(name.begin(), name.end()));
    const std::string vendor = cpuinfo.first.at("vendor_id");
    EXPECT_EQ(processor.ManufacturerID(), std::wstring(vendor.begin(), vendor.end()));
    EXPECT_EQ(processor.Processors(), std::min(cpuinfo.processors, 255u));

    const auto family = *ParseDecimal(cpuinfo.first.at("cpu family"));
    const unsigned base = processor.BaseFamilyID();
    EXPECT_EQ(base == 15 ? base + processor.ExtendedFamilyID() : base, family);
    const auto model = *ParseDecimal(cpuinfo.first.at("model"));
    EXPECT_EQ(std::stoul(processor.BaseModelID(), nullptr, 16), model % 16);
    EXPECT_EQ(processor.SteppingID(), *ParseDecimal(cpuinfo.first.at("stepping")));

    // Where every processor reports the same clock, the counter runs at it.
    const std::string mhz = cpuinfo.megahertz.empty() ? "" : cpuinfo.megahertz.front();
    for (const auto& other : cpuinfo.megahertz)
        if (other != mhz) GTEST_SKIP() << "the processors run at different clocks";
    if (mhz.empty()) GTEST_SKIP() << "no clock in /proc/cpuinfo";
    const double expected = std::stod(mhz);
    // 3 %: a half-second measurement on a machine busy with the rest of the
    // suite runs a percent or more off; a wrong formula is off by far more.
    EXPECT_NEAR(processor.Speed(), expected, expected * 3 / 100) << "within 3 % of " << mhz << " MHz";
}

TEST(LinuxLive, MemoryAgreesWithProcMeminfo) {
    LinuxMachine machine("/");
    const auto status = machine.GlobalMemoryStatusEx();
    ASSERT_TRUE(status);
    const auto meminfo = ParseMeminfo(linux_tests::ReadWholeFile("/proc/meminfo"));
    EXPECT_EQ(status->totalPhys, meminfo.at("MemTotal"));
    EXPECT_EQ(status->totalPageFile, meminfo.at("CommitLimit"));
    EXPECT_GT(status->totalVirtual, status->availVirtual);
    EXPECT_LE(status->memoryLoad, 100u);
}

TEST(LinuxLive, PowerAndVersionOfThisMachine) {
    LinuxMachine machine("/");
    const auto version = machine.GetVersionEx();
    ASSERT_TRUE(version);
    const auto release = ParseKernelRelease(linux_tests::ReadWholeFile("/proc/sys/kernel/osrelease"));
    ASSERT_TRUE(release);
    EXPECT_EQ(version->majorVersion, release->major);
    EXPECT_EQ(version->minorVersion, release->minor);
    ASSERT_TRUE(machine.GetSystemPowerStatus()) << "a machine without power supplies is a desktop, not a failure";
}
