#include "platform/linux/io/cpu.h"

#include <time.h>

#include <cerrno>

#include "base/bytes.h"
#include "platform/linux/parsers/text_fields.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define VELTRIX_X86 1
#endif

namespace platform::linux_backend {

namespace {

__extension__ typedef unsigned __int128 Wide;  // products of a rate and a time

constexpr std::uint64_t kNanosecondsPerSecond = 1000000000u;
constexpr std::chrono::nanoseconds kShortestRateInterval = std::chrono::milliseconds(100);
// More processors than any kernel supports means a malformed list.
constexpr std::uint64_t kMaxCpuNumber = 1u << 20;

std::chrono::nanoseconds MonotonicNow() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

}  // namespace

std::optional<std::uint32_t> CountCpuList(std::string_view text) {
    text = Trim(text);
    if (text.empty()) return std::nullopt;
    std::uint64_t count = 0;
    for (std::string_view range : Split(text, ',')) {
        const auto bounds = Split(range, '-');
        if (bounds.size() > 2) return std::nullopt;
        const auto first = ParseDecimal(bounds[0]);
        const auto last = bounds.size() == 2 ? ParseDecimal(bounds[1]) : first;
        if (!first || !last || *last < *first || *last > kMaxCpuNumber) return std::nullopt;
        count += *last - *first + 1;
    }
    if (count > kMaxCpuNumber) return std::nullopt;
    return static_cast<std::uint32_t>(count);
}

CpuinfoFacts ParseCpuinfo(std::string_view text) {
    CpuinfoFacts facts;
    for (std::string_view line : SplitLines(text)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, colon));
        const std::string_view value = Trim(line.substr(colon + 1));
        if (key == "processor" && ParseDecimal(value)) {
            ++facts.processors;
        } else if (key == "vendor_id") {
            facts.vendorId = true;
        } else if (key == "flags" && !facts.flags) {
            facts.flags = true;
            for (std::string_view flag : SplitBlanks(value))
                if (flag == "lm") facts.longMode = true;
        }
    }
    return facts;
}

Architecture ArchitectureOf(std::optional<std::string_view> kernelArch, const CpuinfoFacts& cpuinfo) {
    Architecture arch;
    if (kernelArch && !Trim(*kernelArch).empty()) {
        const std::string_view name = Trim(*kernelArch);
        const bool x86_32 = name == "i386" || name == "i486" || name == "i586" || name == "i686";
        arch.x86 = name == "x86_64" || x86_32;
        arch.longBits = (EndsWith(name, "64") || name == "s390x" || name == "alpha" || name == "ppc64le") ? 64 : 32;
        return arch;
    }
    arch.x86 = cpuinfo.vendorId;
    // A 32-bit x86 processor cannot run a 64-bit kernel; elsewhere 64 bits
    // is what the machines of today have.
    arch.longBits = (arch.x86 && cpuinfo.flags && !cpuinfo.longMode) ? 32 : 64;
    return arch;
}

std::optional<Bytes> LiveCpuid(std::uint32_t leaf) {
#ifdef VELTRIX_X86
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // No sub-leaf: the leaves asked for do not depend on ECX.
    __cpuid(leaf, eax, ebx, ecx, edx);
    Bytes reply(CpuidReplyLayout::kSize, 0);
    base::WriteLe32(reply, CpuidReplyLayout::kEax, eax);
    base::WriteLe32(reply, CpuidReplyLayout::kEbx, ebx);
    base::WriteLe32(reply, CpuidReplyLayout::kEcx, ecx);
    base::WriteLe32(reply, CpuidReplyLayout::kEdx, edx);
    return reply;
#else
    (void)leaf;
    return std::nullopt;
#endif
}

std::optional<std::uint64_t> LiveTimeStampCounter() {
#ifdef VELTRIX_X86
    return __rdtsc();
#else
    return std::nullopt;
#endif
}

TimeStampClock TimeStampClock::Live() {
    TimeStampClock clock;
    clock.live_ = true;
    return clock;
}

TimeStampClock TimeStampClock::Virtual(std::optional<std::uint64_t> hertz) {
    TimeStampClock clock;
    clock.hertz_ = hertz.value_or(0);
    return clock;
}

std::uint64_t TimeStampClock::Read() {
    if (!live_) {
        const auto ticks = static_cast<Wide>(virtualNanoseconds_) * hertz_ / kNanosecondsPerSecond;
        return static_cast<std::uint64_t>(ticks);
    }
    const auto counter = LiveTimeStampCounter();
    if (!counter) return 0;
    const Reading reading{*counter, MonotonicNow()};
    if (!first_) first_ = reading;
    last_ = reading;
    return *counter;
}

void TimeStampClock::Sleep(std::uint32_t milliseconds) {
    if (!live_) {
        virtualNanoseconds_ += static_cast<std::uint64_t>(milliseconds) * 1000000u;
        return;
    }
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

std::optional<std::uint64_t> TimeStampClock::Nanoseconds() const {
    if (!live_) return virtualNanoseconds_;
    timespec now{};
    if (::clock_gettime(CLOCK_MONOTONIC_RAW, &now) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

std::optional<std::uint64_t> TimeStampClock::ObservedRate() const {
    if (!first_ || !last_) return std::nullopt;
    const auto elapsed = last_->at - first_->at;
    if (elapsed < kShortestRateInterval || last_->counter <= first_->counter) return std::nullopt;
    const auto ticks = static_cast<Wide>(last_->counter - first_->counter) * kNanosecondsPerSecond;
    return static_cast<std::uint64_t>((ticks + static_cast<std::uint64_t>(elapsed.count()) / 2) /
                                      static_cast<std::uint64_t>(elapsed.count()));
}

}  // namespace platform::linux_backend
