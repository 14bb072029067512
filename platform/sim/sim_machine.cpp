#include "platform/sim/sim_machine.h"

#include <limits>

#include "platform/codepage.h"
#include "platform/sim/sim_reader.h"

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
    if (m->Json().is_boolean()) return m->Boolean() ? 1 : 0;
    return static_cast<std::int16_t>(m->Signed(std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max()));
}

template <typename Read, typename T>
void ReadOptionalSection(const Node& parent, const char* key, Read read, std::optional<T>& target) {
    if (auto section = parent.Member(key)) {
        if (section->IsNull())
            target.reset();  // null: the request fails
        else
            target = read(*section);
    }
}

}  // namespace

SimMachine::SimMachine(const nlohmann::json& document) {
    const Node root(document, "");
    root.OnlyKeys({"comment", "processor", "memory", "power", "keys", "keyboard", "mouse", "system", "regional",
                   "live"});

    if (auto p = root.Member("processor")) {
        p->OnlyKeys({"count", "type", "tsc_hz", "cpuid"});
        systemInfo_.numberOfProcessors = static_cast<std::uint32_t>(p->Unsigned("count", kMax32, 0));
        systemInfo_.processorType = static_cast<std::uint32_t>(p->Unsigned("type", kMax32, 0));
        tscHz_ = p->Unsigned("tsc_hz", kMax64 / 1000000000u, 0);
        if (auto leaves = p->Member("cpuid")) {
            if (!leaves->Json().is_object()) leaves->Fail("expected an object of leaves");
            for (const auto& item : leaves->Json().items()) {
                const Node regs(item.value(), leaves->Place() + "/" + item.key());
                const auto leaf = static_cast<std::uint32_t>(Node(nlohmann::json(item.key()), regs.Place())
                                                                 .Unsigned(kMax32));
                if (regs.Size() != 4) regs.Fail("expected four registers: eax, ebx, ecx, edx");
                CpuidRegisters r;
                r.eax = static_cast<std::uint32_t>(regs.Element(0).Unsigned(kMax32));
                r.ebx = static_cast<std::uint32_t>(regs.Element(1).Unsigned(kMax32));
                r.ecx = static_cast<std::uint32_t>(regs.Element(2).Unsigned(kMax32));
                r.edx = static_cast<std::uint32_t>(regs.Element(3).Unsigned(kMax32));
                cpuid_.emplace_back(leaf, r);
            }
        }
    }

    LiveState base;
    ReadOptionalSection(root, "memory", ReadMemory, base.memory);
    ReadOptionalSection(root, "power", ReadPower, base.power);
    auto readKeys = [](const Node& n, KeyStates keys) {
        n.OnlyKeys({"caps", "num", "scroll", "tab"});
        keys.caps = ReadKey(n, "caps", keys.caps);
        keys.num = ReadKey(n, "num", keys.num);
        keys.scroll = ReadKey(n, "scroll", keys.scroll);
        keys.tab = ReadKey(n, "tab", keys.tab);
        return keys;
    };
    if (auto k = root.Member("keys")) base.keys = readKeys(*k, base.keys);
    live_.push_back(base);

    // Each later state starts from the one before it and changes what it names.
    if (auto live = root.Member("live")) {
        for (std::size_t i = 0; i < live->Size(); ++i) {
            const Node step = live->Element(i);
            step.OnlyKeys({"memory", "power", "keys"});
            LiveState next = live_.back();
            ReadOptionalSection(step, "memory", ReadMemory, next.memory);
            ReadOptionalSection(step, "power", ReadPower, next.power);
            if (auto k = step.Member("keys")) next.keys = readKeys(*k, next.keys);
            live_.push_back(next);
        }
    }

    if (auto k = root.Member("keyboard")) {
        k->OnlyKeys({"type", "function_keys", "layout", "repeat_delay", "repeat_speed"});
        keyboardType_ = static_cast<int>(k->Unsigned("type", 0x7FFFFFFF, 0));
        functionKeys_ = static_cast<int>(k->Unsigned("function_keys", 0x7FFFFFFF, 0));
        if (auto layout = k->Member("layout"); layout && !layout->IsNull()) layoutName_ = layout->Text();
        if (auto d = k->Member("repeat_delay"); d && !d->IsNull()) repeatDelay_ = d->Unsigned(kMax32);
        if (auto s = k->Member("repeat_speed"); s && !s->IsNull()) repeatSpeed_ = s->Unsigned(kMax32);
    }

    if (auto m = root.Member("mouse")) {
        m->OnlyKeys({"swap_buttons", "buttons", "wheel", "double_click_ms"});
        swapButtons_ = m->Boolean("swap_buttons", false) ? 1 : 0;
        mouseButtons_ = static_cast<int>(m->Unsigned("buttons", 0x7FFFFFFF, 0));
        wheelPresent_ = m->Boolean("wheel", false) ? 1 : 0;
        doubleClickTime_ = static_cast<std::uint32_t>(m->Unsigned("double_click_ms", kMax32, 500));
    }

    if (auto s = root.Member("system")) {
        s->OnlyKeys({"clean_boot", "version"});
        cleanBoot_ = static_cast<int>(s->Unsigned("clean_boot", 2, 0));
        if (auto v = s->Member("version"); v && !v->IsNull()) {
            v->OnlyKeys({"major", "minor", "build", "platform_id", "service_pack"});
            OsVersionInfo info;
            info.majorVersion = static_cast<std::uint32_t>(v->Unsigned("major", kMax32, 0));
            info.minorVersion = static_cast<std::uint32_t>(v->Unsigned("minor", kMax32, 0));
            info.buildNumber = static_cast<std::uint32_t>(v->Unsigned("build", kMax32, 0));
            info.platformId = static_cast<std::uint32_t>(v->Unsigned("platform_id", kMax32, 0));
            info.csdVersion = EncodeWindows1252(DecodeUtf8(v->Text("service_pack", "")));
            version_ = info;
        }
    }

    if (auto r = root.Member("regional")) {
        r->OnlyKeys({"decimal", "thousands", "time_format"});
        regional_.decimalSeparator = DecodeUtf8(r->Text("decimal", "."));
        // Without a decimal separator 2399.75 would read as 239975.
        if (regional_.decimalSeparator.empty()) r->Member("decimal")->Fail("the decimal separator cannot be empty");
        regional_.thousandsSeparator = DecodeUtf8(r->Text("thousands", ","));
        regional_.timeFormat = DecodeUtf8(r->Text("time_format", "%H:%M:%S"));
    }
}

void SimMachine::Advance() {
    if (liveStep_ + 1 < live_.size()) ++liveStep_;
}

SystemInfo SimMachine::GetSystemInfo() { return systemInfo_; }

CpuidRegisters SimMachine::ExecuteCPUID(std::uint32_t leaf) {
    for (const auto& [l, regs] : cpuid_)
        if (l == leaf) return regs;
    return {};  // a leaf the processor does not have answers with zeros
}

std::uint64_t SimMachine::ReadTimeStampCounter() {
    // The counter runs at tsc_hz over virtual time.
    const auto seconds = virtualNanoseconds_ / 1000000000u;
    const auto rest = virtualNanoseconds_ % 1000000000u;
    return seconds * tscHz_ + rest * tscHz_ / 1000000000u;
}

void SimMachine::Sleep(std::uint32_t milliseconds) {
    virtualNanoseconds_ += static_cast<std::uint64_t>(milliseconds) * 1000000u;
}

std::optional<MemoryStatusEx> SimMachine::GlobalMemoryStatusEx() { return Live().memory; }

std::optional<SystemPowerStatus> SimMachine::GetSystemPowerStatus() { return Live().power; }

std::optional<OsVersionInfo> SimMachine::GetVersionEx() { return version_; }

int SimMachine::GetKeyboardType(int query) {
    if (query == code::kKeyboardTypeQuery) return keyboardType_;
    if (query == code::kKeyboardFunctionKeysQuery) return functionKeys_;
    return 0;
}

std::optional<std::string> SimMachine::GetKeyboardLayoutName() { return layoutName_; }

std::optional<std::uint32_t> SimMachine::SystemParametersInfo(std::uint32_t action) {
    if (action == code::kSpiGetKeyboardDelay) return repeatDelay_;
    if (action == code::kSpiGetKeyboardSpeed) return repeatSpeed_;
    return std::nullopt;
}

std::int16_t SimMachine::GetKeyState(int virtualKey) {
    const KeyStates& keys = Live().keys;
    switch (virtualKey) {
        case code::kVkCapital: return keys.caps;
        case code::kVkNumLock: return keys.num;
        case code::kVkScroll: return keys.scroll;
        case code::kVkTab: return keys.tab;
        default: return 0;
    }
}

int SimMachine::GetSystemMetrics(int index) {
    switch (index) {
        case code::kSmSwapButton: return swapButtons_;
        case code::kSmCMouseButtons: return mouseButtons_;
        case code::kSmMouseWheelPresent: return wheelPresent_;
        case code::kSmCleanBoot: return cleanBoot_;
        default: return 0;
    }
}

std::uint32_t SimMachine::GetDoubleClickTime() { return doubleClickTime_; }

RegionalSettings SimMachine::GetRegionalSettings() { return regional_; }

}  // namespace platform::sim
