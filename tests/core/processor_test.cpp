#include <gtest/gtest.h>

#include "collectors/Processor.h"
#include "sim_fixture.h"

using collectors::Processor;
using testing_support::SimFrom;
using testing_support::SimMachineFile;

namespace {

// Leaf 0 of an Intel processor: "GenuineIntel" in EBX, EDX, ECX.
constexpr const char* kIntelLeaf0 = R"("0x0": [13, "0x756E6547", "0x6C65746E", "0x49656E69"])";

std::string ProcessorJson(const std::string& type, const std::string& extraLeaves, const std::string& tscHz = "2399750000") {
    return R"({"processor": {"count": 4, "type": )" + type + R"(, "tsc_hz": )" + tscHz + R"(, "cpuid": {)" +
           kIntelLeaf0 + R"(, "0x1": ["0x000906EA", "0x02100800", 0, 0], "0x3": [0, 0, "0x12345678", "0x9ABCDEF0"])" +
           extraLeaves + "}}}";
}

}  // namespace

TEST(Processor, IdentifiesADesktopProcessor) {
    auto machine = SimMachineFile("desktop.json");
    const Processor p(*machine);
    EXPECT_EQ(p.Name(), L"Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz");
    EXPECT_EQ(p.ProcessorType(), L"Intel Pentium");
    EXPECT_EQ(p.ManufacturerID(), L"GenuineIntel");
    EXPECT_EQ(p.ManufacturerID().size(), 12u);
    EXPECT_EQ(p.Processors(), 12);
    EXPECT_EQ(p.BaseFamilyID(), 6);
    EXPECT_EQ(p.BaseModelID(), L"E");
    EXPECT_EQ(p.ExtendedModelID(), L"9");
    EXPECT_EQ(p.ExtendedFamilyID(), 0);
    EXPECT_EQ(p.SteppingID(), 10);
    EXPECT_EQ(p.BrandID(), 0);
    EXPECT_EQ(p.TypeID(), 0);
    EXPECT_EQ(p.SerialNumber(), L"000906EA-00000000-00000000");
    EXPECT_DOUBLE_EQ(p.Speed(), 3192.0);
}

TEST(Processor, BrandTextLosesOnlyLeadingSpaces) {
    auto machine = SimMachineFile("laptop.json");
    const Processor p(*machine);
    EXPECT_EQ(p.Name(), L"Intel(R) Core(TM)2 Duo CPU     T7500  @ 2.20GHz");
    EXPECT_EQ(p.SerialNumber(), L"000006FB-00000000-00000000");
}

TEST(Processor, WithoutBrandLeavesTheNameEmptyButIdentifiesTheRest) {
    auto machine = SimFrom(ProcessorJson("586", R"(, "0x80000000": ["0x80000003", 0, 0, 0])"));
    const Processor p(*machine);
    EXPECT_EQ(p.Name(), L"");
    EXPECT_EQ(p.ManufacturerID(), L"GenuineIntel");
    EXPECT_EQ(p.BaseModelID(), L"E");
    // Leaf 3 is shown as the processor answers it: EDX, then ECX.
    EXPECT_EQ(p.SerialNumber(), L"000906EA-9ABCDEF0-12345678");
}

TEST(Processor, OnlyThe486586And8664TypesRunCpuid) {
    for (const auto& [type, name] : {std::pair{"386", L"Intel 386"}, std::pair{"0", L""}, std::pair{"2200", L""}}) {
        auto machine = SimFrom(ProcessorJson(type, ""));
        const Processor p(*machine);
        EXPECT_EQ(p.ProcessorType(), name) << type;
        EXPECT_EQ(p.ManufacturerID(), L"") << type;
        EXPECT_EQ(p.SerialNumber(), L"") << type;
        EXPECT_EQ(p.BaseModelID(), L"") << type;
        EXPECT_EQ(p.BaseFamilyID(), 0) << type;
        EXPECT_EQ(p.Processors(), 4) << type;
        EXPECT_DOUBLE_EQ(p.Speed(), 2399.75) << type;
    }
    auto machine = SimFrom(ProcessorJson("486", ""));
    EXPECT_EQ(Processor(*machine).ProcessorType(), L"Intel 486");
    EXPECT_EQ(Processor(*machine).ManufacturerID(), L"GenuineIntel");
}

TEST(Processor, TheSixtyFourBitTypeIsIdentifiedToo) {
    // What Windows gives a 64-bit program (and the Linux backend on x86-64).
    auto machine = SimFrom(ProcessorJson("8664", ""));
    const Processor p(*machine);
    EXPECT_EQ(p.ProcessorType(), L"x86-64");
    EXPECT_EQ(p.ManufacturerID(), L"GenuineIntel");
    EXPECT_EQ(p.SerialNumber(), L"000906EA-9ABCDEF0-12345678");
    EXPECT_DOUBLE_EQ(p.Speed(), 2399.75);
}

TEST(Processor, SpeedIsCyclesOverTheTimeThatReallyPassed) {
    // Each wait 12 ms longer than asked, as on a loaded machine: divided by
    // the nominal 500 ms the speed would read 2445 * 512 / 500 = 2503.68.
    const std::string loaded = R"({"processor": {"type": 8664, "tsc_hz": 2445000000, "oversleep_us": 12000}})";
    EXPECT_DOUBLE_EQ(Processor(*SimFrom(loaded)).Speed(), 2445.0);
    // The clock's own rate does not matter, down to a clock of one tick per
    // microsecond: the result is as exact as the clock's tick.
    for (const char* hz : {"1000000", "3579545", "1000000000"}) {
        const std::string clocked = R"({"processor": {"type": 586, "tsc_hz": 2445000000, "clock_hz": )" +
                                    std::string(hz) + R"(, "oversleep_us": 12000}})";
        EXPECT_NEAR(Processor(*SimFrom(clocked)).Speed(), 2445.0, 0.005) << hz;
    }
    // Without a clock the nominal wait is all there is.
    const std::string clockless = R"({"processor": {"type": 586, "tsc_hz": 2445000000, "clock_hz": 0, "oversleep_us": 12000}})";
    EXPECT_DOUBLE_EQ(Processor(*SimFrom(clockless)).Speed(), 2503.68);
}

TEST(Processor, SpeedIsCyclesOverTheHalfSecondWait) {
    EXPECT_DOUBLE_EQ(Processor::SpeedFromCycles(1199875000), 2399.75);
    EXPECT_DOUBLE_EQ(Processor::SpeedFromCycles(3000000000), 6000.0);
    auto stopped = SimFrom(ProcessorJson("586", "", "0"));
    EXPECT_EQ(Processor(*stopped).Speed(), 0.0);
}

TEST(Processor, TooManyProcessorsLeaveTheCountAtZero) {
    auto machine = SimFrom(R"({"processor": {"count": 256, "type": 586}})");
    EXPECT_EQ(Processor(*machine).Processors(), 0);
    auto most = SimFrom(R"({"processor": {"count": 255, "type": 586}})");
    EXPECT_EQ(Processor(*most).Processors(), 255);
}
