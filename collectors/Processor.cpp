#include "collectors/Processor.h"

#include <array>
#include <cstring>

#include "format/FormatEx.h"
#include "base/bytes.h"
#include "base/codepage.h"

namespace collectors {

namespace {

constexpr std::uint32_t kLeafVendor = 0;
constexpr std::uint32_t kLeafSignature = 1;
constexpr std::uint32_t kLeafSerialNumber = 3;
constexpr std::uint32_t kLeafHighestExtended = 0x80000000u;
constexpr std::uint32_t kLeafBrandFirst = 0x80000002u;
constexpr std::uint32_t kLeafBrandLast = 0x80000004u;

constexpr std::uint32_t kType386 = 386;
constexpr std::uint32_t kType486 = 486;
constexpr std::uint32_t kType586 = 586;
constexpr std::uint32_t kType8664 = 8664;  // what Windows gives a 64-bit program, and Linux on x86-64

constexpr std::uint32_t kSettleMilliseconds = 10;
constexpr std::uint32_t kMeasureMilliseconds = 500;

// The processor's own registers: ASCII, whatever the system's code page.
std::wstring BytesToString(const std::uint8_t* bytes, std::size_t size) {
    return base::TextFromBuffer(base::CodePage::kWindows1252, std::string_view(reinterpret_cast<const char*>(bytes), size));
}

std::wstring HexDigit(std::uint32_t value) { return format::FormatEx::FormatHex(static_cast<std::int32_t>(value & 0xF), 1, L""); }

}  // namespace

Processor::Processor(platform::Machine& machine) {
    const platform::SystemInfo info = machine.GetSystemInfo();
    if (info.numberOfProcessors <= 255) processors_ = static_cast<std::uint8_t>(info.numberOfProcessors);
    switch (info.processorType) {
        case kType386: processorType_ = L"Intel 386"; break;
        case kType486: processorType_ = L"Intel 486"; break;
        case kType586: processorType_ = L"Intel Pentium"; break;
        case kType8664: processorType_ = L"x86-64"; break;
        default: break;
    }
    if (info.processorType == kType486 || info.processorType == kType586 || info.processorType == kType8664)
        Identify(machine);
    speed_ = MeasureSpeed(machine);
}

void Processor::Identify(platform::Machine& machine) {
    if (machine.ExecuteCPUID(kLeafHighestExtended).eax >= kLeafBrandLast) {
        std::array<std::uint8_t, 49> brand{};
        for (std::uint32_t leaf = kLeafBrandFirst; leaf <= kLeafBrandLast; ++leaf) {
            const auto r = machine.ExecuteCPUID(leaf);
            // Registers are copied in memory order, so the low byte comes first.
            const std::size_t at = 16 * (leaf - kLeafBrandFirst);
            base::WriteLe32(brand, at, r.eax);
            base::WriteLe32(brand, at + 4, r.ebx);
            base::WriteLe32(brand, at + 8, r.ecx);
            base::WriteLe32(brand, at + 12, r.edx);
        }
        name_ = BytesToString(brand.data(), brand.size());
        name_.erase(0, name_.find_first_not_of(L' ') == std::wstring::npos ? name_.size()
                                                                            : name_.find_first_not_of(L' '));
    }

    std::array<std::uint8_t, 13> vendor{};
    const auto leaf0 = machine.ExecuteCPUID(kLeafVendor);
    base::WriteLe32(vendor, 0, leaf0.ebx);
    base::WriteLe32(vendor, 4, leaf0.edx);
    base::WriteLe32(vendor, 8, leaf0.ecx);
    manufacturerID_ = BytesToString(vendor.data(), vendor.size());

    const auto leaf1 = machine.ExecuteCPUID(kLeafSignature);
    const std::uint32_t e = leaf1.eax;
    baseFamilyID_ = static_cast<std::uint8_t>((e >> 8) & 0x0F);
    baseModelID_ = HexDigit(e >> 4);
    brandID_ = static_cast<std::uint8_t>(leaf1.ebx & 0xFF);
    extendedFamilyID_ = static_cast<std::uint8_t>((e >> 20) & 0xFF);
    extendedModelID_ = HexDigit(e >> 16);
    steppingID_ = static_cast<std::uint8_t>(e & 0x0F);
    typeID_ = static_cast<std::uint8_t>((e >> 12) & 3);

    // Leaf 3 is asked without checking the serial-number feature flag:
    // processors without one answer with zeros, and that is what is shown.
    const auto leaf3 = machine.ExecuteCPUID(kLeafSerialNumber);
    using format::FormatEx;
    serialNumber_ = FormatEx::FormatHex(static_cast<std::int32_t>(e), 8, L"") + L"-" +
                    FormatEx::FormatHex(static_cast<std::int32_t>(leaf3.edx), 8, L"") + L"-" +
                    FormatEx::FormatHex(static_cast<std::int32_t>(leaf3.ecx), 8, L"");
}

double Processor::MeasureSpeed(platform::Machine& machine) {
    machine.Sleep(kSettleMilliseconds);
    const auto clock0 = machine.QueryPerformanceCounter();
    const std::uint64_t t0 = machine.ReadTimeStampCounter();
    machine.Sleep(kMeasureMilliseconds);
    const std::uint64_t t1 = machine.ReadTimeStampCounter();
    const auto clock1 = machine.QueryPerformanceCounter();
    // A loaded machine oversleeps: the cycles are divided by the time that
    // really passed, and by the nominal wait only where there is no clock.
    const auto perSecond = machine.QueryPerformanceFrequency();
    if (clock0 && clock1 && perSecond && *perSecond > 0 && *clock1 > *clock0)
        return SpeedFromCycles(t1 - t0, *clock1 - *clock0, *perSecond);
    return SpeedFromCycles(t1 - t0);
}

}  // namespace collectors
