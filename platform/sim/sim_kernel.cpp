#include "platform/sim/sim_kernel.h"

#include <limits>

#include "base/codepage.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {

namespace {

constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMax64 = std::numeric_limits<std::uint64_t>::max();

MemoryStatusEx ReadMemory(const Node& n) {
    n.OnlyKeys({"load", "total_physical", "available_physical", "total_paging_file", "available_paging_file",
                "total_virtual", "available_virtual"});
    MemoryStatusEx m;
    m.memoryLoad = static_cast<std::uint32_t>(n.Unsigned("load", 100, 0));
    m.totalPhys = n.Unsigned("total_physical", kMax64, 0);
    m.availPhys = n.Unsigned("available_physical", kMax64, 0);
    m.totalPageFile = n.Unsigned("total_paging_file", kMax64, 0);
    m.availPageFile = n.Unsigned("available_paging_file", kMax64, 0);
    m.totalVirtual = n.Unsigned("total_virtual", kMax64, 0);
    m.availVirtual = n.Unsigned("available_virtual", kMax64, 0);
    return m;
}

// A life time is seconds, or null for "not reported".
std::uint32_t ReadLifeTime(const Node& n, const std::string& key) {
    auto m = n.Member(key);
    if (!m || m->IsNull()) return SystemPowerStatus::kUnknownTime;
    return static_cast<std::uint32_t>(m->Unsigned(kMax32));
}

SystemPowerStatus ReadPower(const Node& n) {
    n.OnlyKeys({"ac_line", "battery_flag", "life_percent", "life_time", "full_life_time"});
    SystemPowerStatus p;
    p.acLineStatus = static_cast<std::uint8_t>(n.Unsigned("ac_line", 255, 255));
    p.batteryFlag = static_cast<std::uint8_t>(n.Unsigned("battery_flag", 255, 255));
    p.batteryLifePercent = static_cast<std::uint8_t>(n.Unsigned("life_percent", 255, 255));
    p.batteryLifeTime = ReadLifeTime(n, "life_time");
    p.batteryFullLifeTime = ReadLifeTime(n, "full_life_time");
    return p;
}

// A key is true/false (toggled or not, key up) or the raw 16-bit key state.
std::int16_t ReadKey(const Node& n, const std::string& key, std::int16_t fallback) {
    auto m = n.Member(key);
    if (!m) return fallback;
    if (m->IsBoolean()) return m->Boolean() ? 1 : 0;
    return static_cast<std::int16_t>(m->Signed(std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max()));
}

SimKernel::KeyStates ReadKeys(const Node& n, SimKernel::KeyStates keys) {
    n.OnlyKeys({"caps", "num", "scroll", "tab"});
    keys.caps = ReadKey(n, "caps", keys.caps);
    keys.num = ReadKey(n, "num", keys.num);
    keys.scroll = ReadKey(n, "scroll", keys.scroll);
    keys.tab = ReadKey(n, "tab", keys.tab);
    return keys;
}

// A keyboard layout's name is its identifier as eight hexadecimal digits
// ("00000409"), as the system hands it over.
std::string ReadLayoutName(const Node& n) {
    constexpr std::size_t kDigits = 8;
    const std::string name = n.Text();
    const bool hex = name.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (name.size() != kDigits || !hex) n.Fail("expected eight hexadecimal digits, found \"" + name + "\"");
    return name;
}

// null makes the request fail.
template <typename Read, typename T>
void ReadOptional(const Node& section, Read read, std::optional<T>& target) {
    if (section.IsNull())
        target.reset();
    else
        target = read(section);
}

template <typename Read, typename T>
void ReadOptionalMember(const Node& parent, const char* key, Read read, std::optional<T>& target) {
    if (auto section = parent.Member(key)) ReadOptional(*section, read, target);
}

}  // namespace

void ReadProcessorSection(const Node& p, SimAreas& areas) {
    SimKernel& k = areas.kernel;
    p.OnlyKeys({"count", "type", "tsc_hz", "clock_hz", "oversleep_us", "cpuid"});
    k.systemInfo.numberOfProcessors = static_cast<std::uint32_t>(p.Unsigned("count", kMax32, 0));
    k.systemInfo.processorType = static_cast<std::uint32_t>(p.Unsigned("type", kMax32, 0));
    k.tscHz = p.Unsigned("tsc_hz", kMax64 / 1000000000u, 0);
    k.clockHz = p.Unsigned("clock_hz", kMax64 / 1000000000u, k.clockHz);
    k.oversleepNanoseconds = p.Unsigned("oversleep_us", kMax32, 0) * 1000u;
    auto leaves = p.Member("cpuid");
    if (!leaves) return;
    if (!leaves->IsObject()) leaves->Fail("expected an object of leaves");
    for (const auto& [name, regs] : leaves->Members()) {
        const auto leaf = static_cast<std::uint32_t>(name.Unsigned(kMax32));
        if (regs.Size() != 4) regs.Fail("expected four registers: eax, ebx, ecx, edx");
        CpuidRegisters r;
        r.eax = static_cast<std::uint32_t>(regs.Element(0).Unsigned(kMax32));
        r.ebx = static_cast<std::uint32_t>(regs.Element(1).Unsigned(kMax32));
        r.ecx = static_cast<std::uint32_t>(regs.Element(2).Unsigned(kMax32));
        r.edx = static_cast<std::uint32_t>(regs.Element(3).Unsigned(kMax32));
        k.cpuid.emplace_back(leaf, r);
    }
}

void ReadMemorySection(const Node& section, SimAreas& areas) {
    ReadOptional(section, ReadMemory, areas.kernel.live.front().memory);
}

void ReadPowerSection(const Node& section, SimAreas& areas) {
    ReadOptional(section, ReadPower, areas.kernel.live.front().power);
}

void ReadKeysSection(const Node& section, SimAreas& areas) {
    auto& keys = areas.kernel.live.front().keys;
    keys = ReadKeys(section, keys);
}

// Each later state starts from the one before it and changes what it names.
void ReadLiveSection(const Node& live, SimAreas& areas) {
    auto& states = areas.kernel.live;
    for (std::size_t i = 0; i < live.Size(); ++i) {
        const Node step = live.Element(i);
        step.OnlyKeys({"memory", "power", "keys"});
        SimKernel::LiveState next = states.back();
        ReadOptionalMember(step, "memory", ReadMemory, next.memory);
        ReadOptionalMember(step, "power", ReadPower, next.power);
        if (auto k = step.Member("keys")) next.keys = ReadKeys(*k, next.keys);
        states.push_back(next);
    }
}

void ReadKeyboardSection(const Node& k, SimAreas& areas) {
    SimKernel& kernel = areas.kernel;
    k.OnlyKeys({"type", "function_keys", "layout", "repeat_delay", "repeat_speed"});
    kernel.keyboardType = static_cast<int>(k.Unsigned("type", 0x7FFFFFFF, 0));
    kernel.functionKeys = static_cast<int>(k.Unsigned("function_keys", 0x7FFFFFFF, 0));
    if (auto layout = k.Member("layout"); layout && !layout->IsNull()) kernel.layoutName = ReadLayoutName(*layout);
    if (auto d = k.Member("repeat_delay"); d && !d->IsNull()) kernel.repeatDelay = d->Unsigned(kMax32);
    if (auto s = k.Member("repeat_speed"); s && !s->IsNull()) kernel.repeatSpeed = s->Unsigned(kMax32);
}

void ReadMouseSection(const Node& m, SimAreas& areas) {
    SimKernel& kernel = areas.kernel;
    m.OnlyKeys({"swap_buttons", "buttons", "wheel", "double_click_ms"});
    kernel.swapButtons = m.Boolean("swap_buttons", false) ? 1 : 0;
    kernel.mouseButtons = static_cast<int>(m.Unsigned("buttons", 0x7FFFFFFF, 0));
    kernel.wheelPresent = m.Boolean("wheel", false) ? 1 : 0;
    kernel.doubleClickTime = static_cast<std::uint32_t>(m.Unsigned("double_click_ms", kMax32, 500));
}

void ReadSystemSection(const Node& s, SimAreas& areas) {
    SimKernel& kernel = areas.kernel;
    s.OnlyKeys({"clean_boot", "version"});
    kernel.cleanBoot = static_cast<int>(s.Unsigned("clean_boot", 2, 0));
    auto v = s.Member("version");
    if (!v || v->IsNull()) return;
    v->OnlyKeys({"major", "minor", "build", "platform_id", "service_pack"});
    OsVersionInfo info;
    info.majorVersion = static_cast<std::uint32_t>(v->Unsigned("major", kMax32, 0));
    info.minorVersion = static_cast<std::uint32_t>(v->Unsigned("minor", kMax32, 0));
    info.buildNumber = static_cast<std::uint32_t>(v->Unsigned("build", kMax32, 0));
    info.platformId = static_cast<std::uint32_t>(v->Unsigned("platform_id", kMax32, 0));
    info.csdVersion = MachineText(v->Text("service_pack", ""), areas.codePage);
    kernel.version = info;
}

void ReadRegionalSection(const Node& r, SimAreas& areas) {
    RegionalSettings& regional = areas.kernel.regional;
    r.OnlyKeys({"decimal", "thousands", "time_format"});
    regional.decimalSeparator = base::DecodeUtf8(r.Text("decimal", "."));
    // Without a decimal separator 2399.75 would read as 239975.
    if (regional.decimalSeparator.empty()) r.Member("decimal")->Fail("the decimal separator cannot be empty");
    regional.thousandsSeparator = base::DecodeUtf8(r.Text("thousands", ","));
    regional.timeFormat = base::DecodeUtf8(r.Text("time_format", "%H:%M:%S"));
}

SystemInfo SimMachine::GetSystemInfo() { return kernel().systemInfo; }

CpuidRegisters SimMachine::ExecuteCPUID(std::uint32_t leaf) {
    for (const auto& [l, regs] : kernel().cpuid)
        if (l == leaf) return regs;
    return {};  // a leaf the processor does not have answers with zeros
}

namespace {

// Ticks of a counter running at `hertz` over the virtual time.
std::uint64_t TicksAt(std::uint64_t hertz, std::uint64_t nanoseconds) {
    return nanoseconds / 1000000000u * hertz + nanoseconds % 1000000000u * hertz / 1000000000u;
}

}  // namespace

std::uint64_t SimMachine::ReadTimeStampCounter() { return TicksAt(kernel().tscHz, kernel().virtualNanoseconds); }

std::optional<std::uint64_t> SimMachine::QueryPerformanceCounter() {
    if (kernel().clockHz == 0) return std::nullopt;
    return TicksAt(kernel().clockHz, kernel().virtualNanoseconds);
}

std::optional<std::uint64_t> SimMachine::QueryPerformanceFrequency() {
    if (kernel().clockHz == 0) return std::nullopt;
    return kernel().clockHz;
}

void SimMachine::Sleep(std::uint32_t milliseconds) {
    kernel().virtualNanoseconds += static_cast<std::uint64_t>(milliseconds) * 1000000u + kernel().oversleepNanoseconds;
}

std::optional<MemoryStatusEx> SimMachine::GlobalMemoryStatusEx() { return kernel().Live().memory; }

std::optional<SystemPowerStatus> SimMachine::GetSystemPowerStatus() { return kernel().Live().power; }

std::optional<OsVersionInfo> SimMachine::GetVersionEx() { return kernel().version; }

int SimMachine::GetKeyboardType(int query) {
    if (query == code::kKeyboardTypeQuery) return kernel().keyboardType;
    if (query == code::kKeyboardFunctionKeysQuery) return kernel().functionKeys;
    return 0;
}

std::optional<std::string> SimMachine::GetKeyboardLayoutName() { return kernel().layoutName; }

std::optional<std::uint32_t> SimMachine::SystemParametersInfo(std::uint32_t action) {
    if (action == code::kSpiGetKeyboardDelay) return kernel().repeatDelay;
    if (action == code::kSpiGetKeyboardSpeed) return kernel().repeatSpeed;
    return std::nullopt;
}

std::int16_t SimMachine::GetKeyState(int virtualKey) {
    const SimKernel::KeyStates& keys = kernel().Live().keys;
    switch (virtualKey) {
        case code::kVkCapital: return keys.caps;
        case code::kVkNumLock: return keys.num;
        case code::kVkScroll: return keys.scroll;
        case code::kVkTab: return keys.tab;
        default: return 0;
    }
}

int SimMachine::GetSystemMetrics(int index) {
    const SimKernel& k = kernel();
    switch (index) {
        case code::kSmSwapButton: return k.swapButtons;
        case code::kSmCMouseButtons: return k.mouseButtons;
        case code::kSmMouseWheelPresent: return k.wheelPresent;
        case code::kSmCleanBoot: return k.cleanBoot;
        default: return 0;
    }
}

std::uint32_t SimMachine::GetDoubleClickTime() { return kernel().doubleClickTime; }

RegionalSettings SimMachine::GetRegionalSettings() { return kernel().regional; }

base::CodePage SimMachine::TextCodePage() { return areas_->codePage; }

}  // namespace platform::sim
