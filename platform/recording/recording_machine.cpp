#include "platform/recording/recording_machine.h"

#include <cmath>
#include <cstdio>

namespace platform::recording {

namespace {

std::string LeafName(std::uint32_t leaf) {
    char name[16];
    std::snprintf(name, sizeof name, "0x%08X", leaf);
    return name;
}

FileJson MemoryJson(const MemoryStatusEx& m) {
    return {{"load", m.memoryLoad},
            {"total_physical", m.totalPhys},
            {"available_physical", m.availPhys},
            {"total_paging_file", m.totalPageFile},
            {"available_paging_file", m.availPageFile},
            {"total_virtual", m.totalVirtual},
            {"available_virtual", m.availVirtual}};
}

FileJson LifeTime(std::uint32_t seconds) {
    return seconds == SystemPowerStatus::kUnknownTime ? FileJson(nullptr) : FileJson(seconds);
}

FileJson PowerJson(const SystemPowerStatus& p) {
    return {{"ac_line", p.acLineStatus},
            {"battery_flag", p.batteryFlag},
            {"life_percent", p.batteryLifePercent},
            {"life_time", LifeTime(p.batteryLifeTime)},
            {"full_life_time", LifeTime(p.batteryFullLifeTime)}};
}

const char* KeyName(int virtualKey) {
    switch (virtualKey) {
        case code::kVkCapital: return "caps";
        case code::kVkNumLock: return "num";
        case code::kVkScroll: return "scroll";
        case code::kVkTab: return "tab";
        default: return nullptr;
    }
}

}  // namespace

RecordingMachine::RecordingMachine(Machine& real)
    : real_(real),
      display_(real.Display(), record_),
      network_(real.Network(), record_),
      multimedia_(real.Multimedia(), record_),
      spooler_(real.Spooler(), record_),
      usb_(real.Usb(), record_),
      drives_(real.Drives(), record_) {
    record_.codePage = real.TextCodePage();
    record_.file["comment"] = "";
    record_.file["code_page"] = record_.codePage == base::CodePage::kUtf8 ? "utf-8" : "windows-1252";
}

RecordingMachine::~RecordingMachine() = default;

FileJson& RecordingMachine::Section(const char* name) {
    FileJson& section = record_.file[name];
    if (!section.is_object()) section = FileJson::object();
    return section;
}

SystemInfo RecordingMachine::GetSystemInfo() {
    const SystemInfo info = real_.GetSystemInfo();
    Section("processor")["count"] = info.numberOfProcessors;
    Section("processor")["type"] = info.processorType;
    return info;
}

CpuidRegisters RecordingMachine::ExecuteCPUID(std::uint32_t leaf) {
    const CpuidRegisters r = real_.ExecuteCPUID(leaf);
    FileJson& leaves = Section("processor")["cpuid"];
    if (!leaves.is_object()) leaves = FileJson::object();
    leaves[LeafName(leaf)] = {r.eax, r.ebx, r.ecx, r.edx};
    return r;
}

std::uint64_t RecordingMachine::ReadTimeStampCounter() {
    const std::uint64_t counter = real_.ReadTimeStampCounter();
    counterReads_.push_back(counter);
    return counter;
}

void RecordingMachine::Sleep(std::uint32_t milliseconds) {
    if (counterReads_.size() == 1) sleptBetweenReads_ += milliseconds;
    real_.Sleep(milliseconds);
}

std::optional<std::uint64_t> RecordingMachine::QueryPerformanceCounter() {
    const auto clock = real_.QueryPerformanceCounter();
    clockReads_.push_back(clock);
    return clock;
}

std::optional<std::uint64_t> RecordingMachine::QueryPerformanceFrequency() {
    clockRate_ = real_.QueryPerformanceFrequency();
    return clockRate_;
}

// The simulated machine's counter runs at tsc_hz over its virtual time, and
// its clock at clock_hz: the counter's rate is what the measurement saw it
// count in the time the clock saw pass, so the replayed speed is the same.
void RecordingMachine::WriteClock() {
    if (counterReads_.size() < 2) return;
    FileJson& processor = Section("processor");
    const std::uint64_t cycles = counterReads_[1] - counterReads_[0];
    const bool clocked = clockReads_.size() >= 2 && clockReads_[0] && clockReads_[1] && clockRate_ &&
                         *clockRate_ > 0 && *clockReads_[1] > *clockReads_[0];
    // Long double keeps the 64 bits of the counts (x86's 80-bit format).
    long double rate = 0;
    if (clocked) {
        const std::uint64_t ticks = *clockReads_[1] - *clockReads_[0];
        rate = static_cast<long double>(cycles) * static_cast<long double>(*clockRate_) / static_cast<long double>(ticks);
        processor["clock_hz"] = *clockRate_;
    } else {
        // Without a clock the speed is the cycles over the nominal wait.
        const std::uint32_t waited = sleptBetweenReads_ == 0 ? 1000 : sleptBetweenReads_;
        rate = static_cast<long double>(cycles) * 1000.0L / static_cast<long double>(waited);
        processor["clock_hz"] = 0;
    }
    constexpr std::uint64_t kMaxRate = UINT64_MAX / 1000000000u;
    processor["tsc_hz"] = rate >= static_cast<long double>(kMaxRate) ? kMaxRate : static_cast<std::uint64_t>(std::llround(rate));
}

std::optional<MemoryStatusEx> RecordingMachine::GlobalMemoryStatusEx() {
    const auto memory = real_.GlobalMemoryStatusEx();
    if (!memorySeen_) record_.file["memory"] = memory ? MemoryJson(*memory) : FileJson(nullptr);
    memorySeen_ = true;
    return memory;
}

std::optional<SystemPowerStatus> RecordingMachine::GetSystemPowerStatus() {
    const auto power = real_.GetSystemPowerStatus();
    if (!powerSeen_) record_.file["power"] = power ? PowerJson(*power) : FileJson(nullptr);
    powerSeen_ = true;
    return power;
}

std::optional<OsVersionInfo> RecordingMachine::GetVersionEx() {
    const auto version = real_.GetVersionEx();
    FileJson& system = Section("system");
    if (!version) {
        system["version"] = nullptr;
        return version;
    }
    system["version"] = {{"major", version->majorVersion},
                         {"minor", version->minorVersion},
                         {"build", version->buildNumber},
                         {"platform_id", version->platformId},
                         {"service_pack", record_.Text(version->csdVersion)}};
    return version;
}

int RecordingMachine::GetKeyboardType(int query) {
    const int answer = real_.GetKeyboardType(query);
    if (query == code::kKeyboardTypeQuery && answer >= 0) Section("keyboard")["type"] = answer;
    if (query == code::kKeyboardFunctionKeysQuery && answer >= 0) Section("keyboard")["function_keys"] = answer;
    return answer;
}

std::optional<std::string> RecordingMachine::GetKeyboardLayoutName() {
    auto layout = real_.GetKeyboardLayoutName();
    Section("keyboard")["layout"] = layout ? FileJson(*layout) : FileJson(nullptr);
    return layout;
}

std::optional<std::uint32_t> RecordingMachine::SystemParametersInfo(std::uint32_t action) {
    const auto answer = real_.SystemParametersInfo(action);
    const FileJson value = answer ? FileJson(*answer) : FileJson(nullptr);
    if (action == code::kSpiGetKeyboardDelay) Section("keyboard")["repeat_delay"] = value;
    if (action == code::kSpiGetKeyboardSpeed) Section("keyboard")["repeat_speed"] = value;
    return answer;
}

std::int16_t RecordingMachine::GetKeyState(int virtualKey) {
    const std::int16_t state = real_.GetKeyState(virtualKey);
    const char* name = KeyName(virtualKey);
    if (name && !Section("keys").contains(name)) Section("keys")[name] = state;
    return state;
}

int RecordingMachine::GetSystemMetrics(int index) {
    const int answer = real_.GetSystemMetrics(index);
    switch (index) {
        case code::kSmSwapButton: Section("mouse")["swap_buttons"] = answer != 0; break;
        case code::kSmCMouseButtons: Section("mouse")["buttons"] = answer; break;
        case code::kSmMouseWheelPresent: Section("mouse")["wheel"] = answer != 0; break;
        case code::kSmCleanBoot: Section("system")["clean_boot"] = answer; break;
        default: break;
    }
    return answer;
}

std::uint32_t RecordingMachine::GetDoubleClickTime() {
    const std::uint32_t ms = real_.GetDoubleClickTime();
    Section("mouse")["double_click_ms"] = ms;
    return ms;
}

RegionalSettings RecordingMachine::GetRegionalSettings() {
    RegionalSettings regional = real_.GetRegionalSettings();
    Section("regional") = {{"decimal", base::EncodeUtf8(regional.decimalSeparator)},
                           {"thousands", base::EncodeUtf8(regional.thousandsSeparator)},
                           {"time_format", base::EncodeUtf8(regional.timeFormat)}};
    return regional;
}

FileJson RecordingMachine::MachineFile() {
    WriteClock();
    multimedia_.Finish();
    usb_.Finish();
    drives_.Finish();
    return record_.file;
}

}  // namespace platform::recording
