#pragma once
// The processor as Linux describes it (the online list, /proc/cpuinfo, the
// kernel's architecture name) and as the processor itself answers (CPUID and
// the time-stamp counter, on x86 only).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/bytes.h"

namespace platform::linux_backend {

using base::Bytes;

// /sys/devices/system/cpu/online: "0-3,6,8-11" gives 9. Nothing when malformed.
std::optional<std::uint32_t> CountCpuList(std::string_view text);

struct CpuinfoFacts {
    std::uint32_t processors = 0;  // "processor" lines
    bool vendorId = false;         // "vendor_id" lines: an x86 processor
    bool flags = false;            // a "flags" line was present
    bool longMode = false;         // its flags hold "lm": a 64-bit x86 processor
};
CpuinfoFacts ParseCpuinfo(std::string_view text);

// Which machine the files describe: the kernel's own name for it
// (/proc/sys/kernel/arch, since 5.x) when there is one, else what
// /proc/cpuinfo shows. The same rule holds on this machine and on a tree, so
// a capture reads back as the machine it came from.
struct Architecture {
    bool x86 = false;
    unsigned longBits = 64;  // the kernel's unsigned long, the word of its bitmaps
};
Architecture ArchitectureOf(std::optional<std::string_view> kernelArch, const CpuinfoFacts& cpuinfo);

// CPUID leaf as 16 bytes: EAX, EBX, ECX, EDX, each little-endian.
struct CpuidReplyLayout {
    static constexpr std::size_t kEax = 0;
    static constexpr std::size_t kEbx = 4;
    static constexpr std::size_t kEcx = 8;
    static constexpr std::size_t kEdx = 12;
    static constexpr std::size_t kSize = 16;
};
// The leaf as that reply; nothing when this program is not running on an
// x86 processor.
std::optional<Bytes> LiveCpuid(std::uint32_t leaf);
// The time-stamp counter, or nothing off x86.
std::optional<std::uint64_t> LiveTimeStampCounter();

// The time-stamp counter and the waits around it. On this machine the waits
// are real and the counter is the processor's; the clock notes the counter
// against the monotonic clock so that a capture can record its rate. On a
// tree the waits are virtual and the counter runs at the recorded rate, so a
// measurement over a virtual wait gives the recorded speed exactly and at once.
class TimeStampClock {
public:
    static TimeStampClock Live();
    static TimeStampClock Virtual(std::optional<std::uint64_t> hertz);

    std::uint64_t Read();
    void Sleep(std::uint32_t milliseconds);
    // The monotonic clock (CLOCK_MONOTONIC_RAW, which no clock adjustment
    // slews) in nanoseconds; on a tree, the virtual time of the waits.
    std::optional<std::uint64_t> Nanoseconds() const;
    // Counter ticks per second between the first and the last read on this
    // machine; nothing until two reads at least 100 ms apart were made.
    std::optional<std::uint64_t> ObservedRate() const;

private:
    struct Reading {
        std::uint64_t counter = 0;
        std::chrono::nanoseconds at{};
    };

    bool live_ = false;
    std::uint64_t hertz_ = 0;
    std::uint64_t virtualNanoseconds_ = 0;
    std::optional<Reading> first_;
    std::optional<Reading> last_;
};

}  // namespace platform::linux_backend
