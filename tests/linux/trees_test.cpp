// The captured trees of tests/trees: the backend's answers on each, and the
// report of each compared byte for byte with its reviewed expected report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "collectors/Keyboard.h"
#include "expected_output.h"
#include "collectors/OperatingSystem.h"
#include "collectors/Processor.h"
#include "platform/linux/areas/linux_machine.h"
#include "support.h"

using namespace platform::linux_backend;
using platform::SystemPowerStatus;
namespace code = platform::code;

namespace {

std::string TreesDir() { return testing_support::TestDataFolder(VELTRIX_TREES_DIR, "trees"); }

std::string Tree(const std::string& name) { return TreesDir() + "/" + name; }

LinuxMachine OnTree(const std::string& name) {
    LinuxMachineOptions options;
    options.root = Tree(name);
    options.session = SessionEnvironment{};  // nothing of this session may leak into the tree
    options.session.display = ":0";
    return LinuxMachine(std::move(options));
}

}  // namespace

TEST(TreeLaptop, BatteryKeyboardAndMouse) {
    auto machine = OnTree("laptop");
    ASSERT_EQ(machine.OpenError(), "");
    const auto power = machine.GetSystemPowerStatus();
    ASSERT_TRUE(power);
    EXPECT_EQ(power->acLineStatus, 0);
    EXPECT_EQ(power->batteryFlag, SystemPowerStatus::kBatteryHigh);
    EXPECT_EQ(power->batteryLifePercent, 67);
    EXPECT_EQ(power->batteryLifeTime, 10800u);
    EXPECT_EQ(power->batteryFullLifeTime, 16000u);

    EXPECT_EQ(machine.GetKeyboardType(code::kKeyboardTypeQuery), 4);
    EXPECT_EQ(machine.GetKeyboardType(code::kKeyboardFunctionKeysQuery), 12);
    EXPECT_EQ(machine.GetKeyboardLayoutName(), "00000407");
    EXPECT_EQ(machine.SystemParametersInfo(code::kSpiGetKeyboardDelay), 2u) << "660 ms";
    EXPECT_EQ(machine.SystemParametersInfo(code::kSpiGetKeyboardSpeed), 25u) << "25 characters a second";
    EXPECT_EQ(machine.GetKeyState(code::kVkCapital), 1);
    EXPECT_EQ(machine.GetKeyState(code::kVkNumLock), 0);
    EXPECT_EQ(machine.GetKeyState(code::kVkTab), 0);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmCMouseButtons), 5);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmMouseWheelPresent), 1);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmSwapButton), 1);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmCleanBoot), 0);
    EXPECT_EQ(machine.GetDoubleClickTime(), 500u);
    const auto regional = machine.GetRegionalSettings();
    EXPECT_EQ(regional.decimalSeparator, L",");
    EXPECT_EQ(regional.thousandsSeparator, L".");

    const collectors::Keyboard keyboard(machine);
    EXPECT_TRUE(keyboard.CapsLockStatus());
    EXPECT_FALSE(keyboard.NumLockStatus());
}

TEST(TreeLaptop, ProcessorMemoryAndSystem) {
    auto machine = OnTree("laptop");
    const collectors::Processor processor(machine);
    EXPECT_EQ(processor.Processors(), 8);
    EXPECT_EQ(processor.Name(), L"Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz");
    EXPECT_EQ(processor.ManufacturerID(), L"GenuineIntel");
    EXPECT_EQ(processor.BaseModelID(), L"E");
    EXPECT_EQ(processor.ExtendedModelID(), L"8");
    EXPECT_EQ(processor.SteppingID(), 10);
    EXPECT_EQ(processor.Speed(), 1800.0) << "virtual waits and the recorded rate give the speed exactly";

    const auto memory = machine.GlobalMemoryStatusEx();
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->totalPhys, 7987208ull * 1024);
    EXPECT_EQ(memory->availPhys, 4251000ull * 1024);
    EXPECT_EQ(memory->memoryLoad, 47u);
    EXPECT_EQ(memory->totalPageFile, 6090752ull * 1024);
    EXPECT_EQ(memory->availPageFile, 0u);
    EXPECT_EQ(memory->totalVirtual, (1ull << 47) - 4096);

    const collectors::OperatingSystem system(machine);
    EXPECT_EQ(system.Version(), L"6.5");
    EXPECT_EQ(system.BuildNumber(), 0) << "neither Windows family";
    EXPECT_EQ(system.ServicePack(), L"Ubuntu 22.04.4 LTS");
    EXPECT_EQ(system.BootMode(), 0);
    const auto version = machine.GetVersionEx();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->buildNumber, 0u) << "6.5.0: patch level 0";
    EXPECT_EQ(version->platformId, 0u);
}

TEST(TreeDesktop, SampleInputDevicesAndAnOldKernel) {
    auto machine = OnTree("desktop");
    ASSERT_EQ(machine.OpenError(), "");
    EXPECT_EQ(machine.GetKeyboardType(code::kKeyboardFunctionKeysQuery), 24);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmCMouseButtons), 8);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmMouseWheelPresent), 1);
    EXPECT_EQ(machine.GetSystemMetrics(code::kSmSwapButton), 0);
    EXPECT_EQ(machine.GetDoubleClickTime(), 400u) << "no desktop settings: the default";
    EXPECT_EQ(machine.GetKeyboardLayoutName(), "0000040C") << "from /etc/default/keyboard";
    EXPECT_FALSE(machine.SystemParametersInfo(code::kSpiGetKeyboardSpeed)) << "no X server recorded";
    EXPECT_EQ(machine.GetKeyState(code::kVkNumLock), 1);

    const auto info = machine.GetSystemInfo();
    EXPECT_EQ(info.numberOfProcessors, 4u);
    EXPECT_EQ(info.processorType, 8664u) << "no kernel architecture file: x86 by its vendor_id lines, 64-bit by lm";
    const auto memory = machine.GlobalMemoryStatusEx();
    ASSERT_TRUE(memory);
    EXPECT_EQ(memory->availPhys, (3419604ull + 268412 + 2201532) * 1024);
    const auto power = machine.GetSystemPowerStatus();
    ASSERT_TRUE(power);
    EXPECT_EQ(power->acLineStatus, 1);
    EXPECT_EQ(power->batteryFlag, SystemPowerStatus::kNoSystemBattery);
    EXPECT_EQ(machine.GetVersionEx()->csdVersion, "Ubuntu 13.04");
}

class TreeReport : public testing::TestWithParam<std::string> {};

TEST_P(TreeReport, MatchesTheReviewedReportByteForByte) {
    const std::string tree = Tree(GetParam());
    linux_tests::TempDir out;
    const auto run = linux_tests::RunProgram({VELTRIX_REPORT_PROGRAM, "--root", tree, "--output", out.Path() + "/report.txt"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string expected = linux_tests::ReadWholeFile(tree + "/expected-report.txt");
    const std::string actual = linux_tests::ReadWholeFile(out.Path() + "/report.txt");
    // A new tree's empty expected report is filled by the switch.
    if (testing_support::RewriteExpectedOutput(tree + "/expected-report.txt", actual)) return;
    ASSERT_FALSE(expected.empty());
    if (actual != expected) {
        const auto a = linux_tests::ReportLines(actual), e = linux_tests::ReportLines(expected);
        for (std::size_t i = 0; i < std::max(a.size(), e.size()); ++i) {
            const std::string got = i < a.size() ? a[i] : "(none)", want = i < e.size() ? e[i] : "(none)";
            EXPECT_EQ(got, want) << "line " << i + 1;
        }
        FAIL() << "the report differs";
    }
}

// Every directory of tests/trees that holds an expected report, so a new
// tree is tested without a code change.
std::vector<std::string> TreesWithReports() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(TreesDir()))
        if (entry.is_directory() && std::filesystem::exists(entry.path() / "expected-report.txt"))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Trees, TreeReport, testing::ValuesIn(TreesWithReports()),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });
