// The kernel services of the Linux machine: processor, memory, power, system
// version, keyboard, mouse and regional settings.
#include "platform/linux/areas/linux_machine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/codepage.h"
#include "platform/linux/io/cpu.h"
#include "platform/linux/parsers/desktop_settings.h"
#include "platform/linux/parsers/input_devices.h"
#include "platform/linux/parsers/keyboard_layouts.h"
#include "platform/linux/areas/keyboard_leds.h"
#include "platform/linux/parsers/meminfo.h"
#include "platform/linux/parsers/os_release.h"
#include "platform/linux/parsers/power_supply.h"
#include "platform/linux/io/regional_settings.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/io/root_fs.h"
#include "platform/linux/parsers/text_fields.h"
#include "platform/linux/io/x_server.h"

namespace platform::linux_backend {

namespace {

constexpr std::uint32_t kProcessorTypePentium = 586;  // 32-bit x86; makes the CPUID identification run
constexpr std::uint32_t kProcessorTypeX64 = 8664;     // x86-64; so does this
constexpr std::uint32_t kProcessorTypeOther = 0;
constexpr int kEnhancedKeyboard = 4;
constexpr std::size_t kCsdVersionLength = 127;  // 128 bytes with the terminating zero

constexpr std::string_view kCpuidChannel = "cpuid";

// Repeat settings as the keyboard control panel counts them.
constexpr double kDelayStepMilliseconds = 250.0;
constexpr double kSlowestRate = 2.5;  // characters per second at setting 0
constexpr double kFastestRate = 30.0;  // at setting 31
constexpr int kMaxDelaySetting = 3;
constexpr int kMaxSpeedSetting = 31;

std::string CpuidRequest(std::uint32_t leaf) {
    char name[9];
    std::snprintf(name, sizeof name, "%08X", leaf);
    return name;
}

constexpr std::string_view kPowerSupplyClass = "/sys/class/power_supply";

// The supplies' folders. No power-supply class at all is a machine without
// battery or adapter.
std::vector<std::string> ListPowerSupplies(const RootFs& fs) {
    std::vector<std::string> names;
    if (const auto entries = fs.ListDirectory(kPowerSupplyClass))
        for (const auto& entry : *entries)
            if (entry.isDirectory) names.push_back(entry.name);
    return names;
}

// The supplies' attributes; nothing when a listed supply is gone (its
// folder has nothing left to read), so that the folder is listed again.
std::optional<std::vector<PowerSupply>> ReadPowerSupplies(const RootFs& fs, const std::vector<std::string>& names) {
    std::vector<PowerSupply> supplies;
    for (const auto& name : names) {
        std::map<std::string, std::string> attributes;
        for (const char* attribute : kPowerSupplyAttributes) {
            const auto content = fs.ReadFile(std::string(kPowerSupplyClass) + "/" + name + "/" + attribute);
            if (!content) continue;
            if (auto value = AttributeValue(*content)) attributes[attribute] = std::move(*value);
        }
        if (attributes.empty()) return std::nullopt;
        supplies.push_back(PowerSupplyFromAttributes(attributes));
    }
    return supplies;
}

// The user part of the address space and what the mappings leave of it. Its
// size comes from the mappings, read at the first call; the part in use
// after that from the kernel's own sum of them, VmSize in
// /proc/self/status, a few lines against the maps file's hundreds, so an
// idle window costs next to nothing. A tree without that file is read the
// first way every time.
std::optional<AddressSpace> ReadAddressSpace(const LinuxContext& s, std::optional<std::uint64_t>& userPart) {
    if (userPart) {
        if (const auto status = s.fs.ReadFile("/proc/self/status")) {
            if (const auto size = ProcessVirtualSize(*status))
                return AddressSpace{*userPart, *userPart - std::min(*size, *userPart)};
        }
    }
    const auto maps = s.fs.ReadFile("/proc/self/maps");
    if (!maps) return std::nullopt;
    const auto mappings = ParseMaps(*maps);
    if (!mappings) return std::nullopt;
    const AddressSpace space = UserAddressSpace(s.arch.x86 && s.arch.longBits == 64, *mappings);
    userPart = space.total;
    return space;
}

std::optional<std::string> FirstFile(const RootFs& fs, std::initializer_list<std::string_view> paths) {
    for (auto path : paths)
        if (auto text = fs.ReadFile(path)) return text;
    return std::nullopt;
}

}  // namespace

SystemInfo LinuxMachine::GetSystemInfo() {
    const LinuxContext& s = *context_;
    SystemInfo info;
    std::optional<std::uint32_t> count;
    if (const auto online = s.fs.ReadFile("/sys/devices/system/cpu/online")) count = CountCpuList(*online);
    if (!count) {
        if (const auto cpuinfo = s.fs.ReadFile("/proc/cpuinfo")) count = ParseCpuinfo(*cpuinfo).processors;
    }
    info.numberOfProcessors = count.value_or(0);
    // What Windows gives a program of the machine's own width.
    info.processorType = !s.arch.x86 ? kProcessorTypeOther : s.arch.longBits == 64 ? kProcessorTypeX64 : kProcessorTypePentium;
    return info;
}

CpuidRegisters LinuxMachine::ExecuteCPUID(std::uint32_t leaf) {
    CpuidRegisters registers;
    const auto reply = context_->replies->Ask(kCpuidChannel, CpuidRequest(leaf), [leaf] { return LiveCpuid(leaf); });
    // A leaf without an answer reads as zeros, like a leaf the processor lacks.
    if (!reply || reply->size() != CpuidReplyLayout::kSize) return registers;
    registers.eax = *ReadLe32(*reply, CpuidReplyLayout::kEax);
    registers.ebx = *ReadLe32(*reply, CpuidReplyLayout::kEbx);
    registers.ecx = *ReadLe32(*reply, CpuidReplyLayout::kEcx);
    registers.edx = *ReadLe32(*reply, CpuidReplyLayout::kEdx);
    return registers;
}

std::uint64_t LinuxMachine::ReadTimeStampCounter() {
    LinuxContext& s = *context_;
    const std::uint64_t counter = s.clock.Read();
    // A capture keeps the rate the counter was seen to run at.
    if (s.capture) {
        if (const auto rate = s.clock.ObservedRate()) {
            s.replies->Ask(tsc_reply::kChannel, tsc_reply::kRate, [&] {
                Bytes reply;
                AppendLe64(reply, *rate);
                return std::optional<Bytes>(reply);
            });
        }
    }
    return counter;
}

// The monotonic clock in nanoseconds: CLOCK_MONOTONIC_RAW here, the virtual
// time of the waits on a tree.
std::optional<std::uint64_t> LinuxMachine::QueryPerformanceCounter() { return context_->clock.Nanoseconds(); }

std::optional<std::uint64_t> LinuxMachine::QueryPerformanceFrequency() { return 1000000000u; }

void LinuxMachine::Sleep(std::uint32_t milliseconds) {
    if (context_->realWaits) context_->clock.Sleep(milliseconds);
}

std::optional<MemoryStatusEx> LinuxMachine::GlobalMemoryStatusEx() {
    const LinuxContext& s = *context_;
    const auto meminfo = s.fs.ReadFile("/proc/meminfo");
    if (!meminfo) return std::nullopt;
    auto status = MemoryStatusFromMeminfo(ParseMeminfo(*meminfo));
    if (!status) return std::nullopt;
    if (const auto space = ReadAddressSpace(s, live_.userAddressSpace)) {
        status->totalVirtual = space->total;
        status->availVirtual = space->available;
    }
    return status;
}

std::optional<SystemPowerStatus> LinuxMachine::GetSystemPowerStatus() {
    const LinuxContext& s = *context_;
    if (!live_.powerSupplies) live_.powerSupplies = ListPowerSupplies(s.fs);
    auto supplies = ReadPowerSupplies(s.fs, *live_.powerSupplies);
    if (!supplies) {
        live_.powerSupplies = ListPowerSupplies(s.fs);
        supplies = ReadPowerSupplies(s.fs, *live_.powerSupplies);
    }
    return PowerStatusFromSupplies(supplies.value_or(std::vector<PowerSupply>{}));
}

std::optional<OsVersionInfo> LinuxMachine::GetVersionEx() {
    const LinuxContext& s = *context_;
    const auto release = s.fs.ReadFile("/proc/sys/kernel/osrelease");
    if (!release) return std::nullopt;
    const auto kernel = ParseKernelRelease(*release);
    if (!kernel) return std::nullopt;
    OsVersionInfo info;
    info.majorVersion = kernel->major;
    info.minorVersion = kernel->minor;
    info.buildNumber = kernel->patch;
    info.platformId = 0;  // neither Windows family
    const auto osRelease = FirstFile(s.fs, {"/etc/os-release", "/usr/lib/os-release"});
    const std::string name = PrettyName(osRelease.value_or(""));
    info.csdVersion = base::FitToField(base::CodePage::kUtf8, name, kCsdVersionLength);
    return info;
}

int LinuxMachine::GetKeyboardType(int query) {
    const LinuxContext& s = *context_;
    const auto& devices = s.InputDevices();
    const KeyboardFacts keyboard = FindKeyboard(devices, s.WordBits(devices));
    if (!keyboard.present) return 0;
    if (query == code::kKeyboardTypeQuery) return kEnhancedKeyboard;
    if (query == code::kKeyboardFunctionKeysQuery) return static_cast<int>(keyboard.functionKeys);
    return 0;
}

std::optional<std::string> LinuxMachine::GetKeyboardLayoutName() {
    LinuxContext& s = *context_;
    std::optional<XkbLayout> layout;
    if (const auto names = s.AskX(x11::kRulesNames, &XServer::RulesNames))
        layout = LayoutFromRulesNames(TextOfBytes(*names));
    if (!layout) {
        // Without an X server: the system's console and X default.
        for (const char* file : {"/etc/default/keyboard", "/etc/vconsole.conf"}) {
            const auto text = s.fs.ReadFile(file);
            if (!text) continue;
            const auto values = ParseAssignments(*text);
            const auto layouts = values.find("XKBLAYOUT");
            if (layouts == values.end()) continue;
            const auto variants = values.find("XKBVARIANT");
            layout = FirstLayout(layouts->second, variants == values.end() ? std::string() : variants->second);
            if (layout) break;
        }
    }
    if (!layout) return std::nullopt;
    return WindowsLayoutId(*layout);
}

std::optional<std::uint32_t> LinuxMachine::SystemParametersInfo(std::uint32_t action) {
    if (action != code::kSpiGetKeyboardDelay && action != code::kSpiGetKeyboardSpeed) return std::nullopt;
    const auto reply = context_->AskX(x11::kRepeat, &XServer::Repeat);
    using x11::RepeatReplyLayout;
    if (!reply || reply->size() != RepeatReplyLayout::kSize) return std::nullopt;
    const double delay = *ReadLe16(*reply, RepeatReplyLayout::kDelay);
    const double interval = *ReadLe16(*reply, RepeatReplyLayout::kInterval);
    if (action == code::kSpiGetKeyboardDelay) {
        const long setting = std::lround(delay / kDelayStepMilliseconds) - 1;
        return static_cast<std::uint32_t>(std::clamp<long>(setting, 0, kMaxDelaySetting));
    }
    if (interval <= 0) return kMaxSpeedSetting;
    const double rate = 1000.0 / interval;
    const long setting = std::lround((rate - kSlowestRate) * kMaxSpeedSetting / (kFastestRate - kSlowestRate));
    return static_cast<std::uint32_t>(std::clamp<long>(setting, 0, kMaxSpeedSetting));
}

std::int16_t LinuxMachine::GetKeyState(int virtualKey) {
    LinuxContext& s = *context_;
    std::string_view led, request;
    std::string indicator;
    switch (virtualKey) {
        case code::kVkCapital: led = kCapsLockLed, request = x11::kCapsLockIndicator, indicator = "Caps Lock"; break;
        case code::kVkNumLock: led = kNumLockLed, request = x11::kNumLockIndicator, indicator = "Num Lock"; break;
        case code::kVkScroll:
            led = kScrollLockLed, request = x11::kScrollLockIndicator, indicator = "Scroll Lock";
            break;
        default: return 0;  // no key is reported held down
    }
    if (!live_.lockLeds) live_.lockLeds = ListLockLeds(s.fs);
    bool vanished = false;
    auto lit = LockLedLit(s.fs, *live_.lockLeds, led, vanished);
    if (vanished) {
        live_.lockLeds = ListLockLeds(s.fs);
        lit = LockLedLit(s.fs, *live_.lockLeds, led, vanished);
    }
    if (!lit) lit = s.XIndicator(request, indicator);
    return lit.value_or(false) ? 1 : 0;
}

int LinuxMachine::GetSystemMetrics(int index) {
    LinuxContext& s = *context_;
    switch (index) {
        case code::kSmSwapButton: {
            std::optional<bool> swapped;
            if (const auto dir = s.ConfigDirectory(); !dir.empty()) {
                if (const auto text = s.fs.ReadFile(dir + std::string(kKdeInput))) swapped = KdeLeftHanded(*text);
            }
            if (!swapped) {
                if (const auto map = s.AskX(x11::kPointerMapping, &XServer::PointerMapping))
                    swapped = SwappedInPointerMapping(TextOfBytes(*map));
            }
            return swapped.value_or(false) ? 1 : 0;
        }
        case code::kSmCMouseButtons:
        case code::kSmMouseWheelPresent: {
            const auto& devices = s.InputDevices();
            const MouseFacts mouse = FindMouse(devices, s.WordBits(devices));
            if (index == code::kSmCMouseButtons) return static_cast<int>(mouse.buttons);
            return mouse.wheel ? 1 : 0;
        }
        case code::kSmCleanBoot: return 0;  // a normal start
        default: return 0;
    }
}

std::uint32_t LinuxMachine::GetDoubleClickTime() {
    LinuxContext& s = *context_;
    if (const auto dir = s.ConfigDirectory(); !dir.empty()) {
        for (const auto file : {kGtk3Settings, kGtk4Settings}) {
            if (const auto text = s.fs.ReadFile(dir + std::string(file)))
                if (const auto time = GtkDoubleClickTime(*text)) return *time;
        }
        if (const auto text = s.fs.ReadFile(dir + std::string(kKdeGlobals)))
            if (const auto time = KdeDoubleClickTime(*text)) return *time;
    }
    return kDefaultDoubleClickMilliseconds;
}

RegionalSettings LinuxMachine::GetRegionalSettings() {
    LinuxContext& s = *context_;
    if (!regional_) {
        const auto reply = s.replies->Ask(locale_reply::kChannel, locale_reply::kRegional, [&] {
            return std::optional<Bytes>(LiveRegionalReply(s.session.NumericLocale(), s.session.TimeLocale()));
        });
        regional_ = reply ? RegionalFromReply(*reply) : RegionalSettings{};
    }
    return *regional_;
}

}  // namespace platform::linux_backend
