#include "platform/linux/areas/block_devices.h"

#include <algorithm>
#include <unordered_map>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kSysBlock = "/sys/block/";
constexpr std::uint64_t kMinLogicalBlock = 512;
constexpr std::uint64_t kMaxLogicalBlock = 64 * 1024;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Path(std::string_view disk, std::string_view attribute) {
    return std::string(kSysBlock) + std::string(disk) + "/" + std::string(attribute);
}

std::optional<std::string> Attribute(const RootFs& fs, const std::string& path) {
    const auto content = fs.ReadFile(path, 4096);
    return content ? AttributeValue(*content) : std::nullopt;
}

std::optional<std::uint64_t> Number(const RootFs& fs, const std::string& path) {
    const auto value = Attribute(fs, path);
    return value ? ParseDecimal(*value) : std::nullopt;
}

std::vector<std::string> BlockNames(const RootFs& fs) {
    std::vector<std::string> names;
    if (const auto entries = fs.ListDirectory(kSysBlock))
        for (const auto& entry : *entries) names.push_back(entry.name);
    return names;
}

// "8:17" as a pair.
std::optional<std::pair<std::uint32_t, std::uint32_t>> DeviceNumber(const RootFs& fs, const std::string& path) {
    const auto value = Attribute(fs, path);
    if (!value) return std::nullopt;
    const auto parts = Split(*value, ':');
    if (parts.size() != 2) return std::nullopt;
    const auto major = ParseDecimal(parts[0]);
    const auto minor = ParseDecimal(parts[1]);
    if (!major || !minor || *major > UINT32_MAX || *minor > UINT32_MAX) return std::nullopt;
    return std::pair{static_cast<std::uint32_t>(*major), static_cast<std::uint32_t>(*minor)};
}

}  // namespace

std::optional<DiskKind> WholeDiskKind(std::string_view name) {
    for (const auto skipped : {"loop", "ram", "zram", "dm-", "md", "sr", "fd"})
        if (name.starts_with(skipped)) return std::nullopt;
    if (name.starts_with("sd") || name.starts_with("hd")) return DiskKind::kScsi;
    if (name.starts_with("nvme")) return DiskKind::kNvme;
    if (name.starts_with("vd") || name.starts_with("xvd")) return DiskKind::kVirtio;
    if (name.starts_with("mmcblk")) return name.find("boot") == std::string_view::npos &&
                                                   name.find("rpmb") == std::string_view::npos
                                               ? std::optional(DiskKind::kMmc)
                                               : std::nullopt;
    return DiskKind::kOther;
}

bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = IsDigit(a[i]), digitB = IsDigit(b[j]);
        std::size_t endA = i, endB = j;
        while (endA < a.size() && IsDigit(a[endA]) == digitA) ++endA;
        while (endB < b.size() && IsDigit(b[endB]) == digitB) ++endB;
        auto runA = a.substr(i, endA - i), runB = b.substr(j, endB - j);
        if (digitA != digitB) return digitA;  // a number sorts before letters
        if (digitA) {
            while (runA.size() > 1 && runA[0] == '0') runA.remove_prefix(1);
            while (runB.size() > 1 && runB[0] == '0') runB.remove_prefix(1);
        }
        if (runA.size() != runB.size()) return runA.size() < runB.size();
        if (runA != runB) return runA < runB;
        i = endA;
        j = endB;
    }
    return a.size() - i < b.size() - j || (a.size() - i == b.size() - j && a < b);
}

std::vector<std::string> PhysicalDisks(const RootFs& fs) {
    std::vector<std::pair<DiskKind, std::string>> disks;
    for (auto& name : BlockNames(fs)) {
        const auto kind = WholeDiskKind(name);
        if (!kind) continue;
        if (name.starts_with("nbd") && DiskBytes(fs, name).value_or(0) == 0) continue;  // not connected
        disks.emplace_back(*kind, std::move(name));
    }
    std::sort(disks.begin(), disks.end(), [](const auto& x, const auto& y) {
        return x.first != y.first ? x.first < y.first : NaturalLess(x.second, y.second);
    });
    std::vector<std::string> names;
    for (auto& disk : disks) names.push_back(std::move(disk.second));
    return names;
}

std::vector<std::string> OpticalDisks(const RootFs& fs) {
    std::vector<std::string> names;
    for (auto& name : BlockNames(fs))
        if (name.size() > 2 && name.starts_with("sr") && IsDigit(name[2])) names.push_back(std::move(name));
    std::sort(names.begin(), names.end(), [](const auto& x, const auto& y) { return NaturalLess(x, y); });
    return names;
}

std::optional<std::uint64_t> DiskBytes(const RootFs& fs, std::string_view disk) {
    const auto sectors = Number(fs, Path(disk, "size"));
    if (!sectors || *sectors > UINT64_MAX / 512) return std::nullopt;
    return *sectors * 512;
}

std::optional<std::uint32_t> LogicalBlockSize(const RootFs& fs, std::string_view disk) {
    // The block layer addresses sectors of a power of two from 512 bytes up
    // to 64 KiB; any other figure is not a sector size. Kernels without the
    // attribute (before 2.6.31) knew 512-byte sectors only.
    const auto text = fs.ReadFile(Path(disk, "queue/logical_block_size"), 4096);
    if (!text) return kMinLogicalBlock;
    const auto value = AttributeValue(*text);
    const auto size = value ? ParseDecimal(*value) : std::nullopt;
    if (!size || *size < kMinLogicalBlock || *size > kMaxLogicalBlock || (*size & (*size - 1)) != 0) return std::nullopt;
    return static_cast<std::uint32_t>(*size);
}

bool IsRemovable(const RootFs& fs, std::string_view disk) { return Number(fs, Path(disk, "removable")) == 1u; }

std::optional<ScsiDeviceAddress> ParseScsiAddress(std::string_view text) {
    const auto parts = Split(text, ':');
    if (parts.size() != 4) return std::nullopt;
    std::uint32_t values[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const auto value = ParseDecimal(parts[i]);
        if (!value || *value > UINT32_MAX) return std::nullopt;
        values[i] = static_cast<std::uint32_t>(*value);
    }
    return ScsiDeviceAddress{values[0], values[1], values[2], values[3]};
}

std::optional<ScsiDeviceAddress> ScsiAddressOf(const RootFs& fs, std::string_view disk) {
    const auto entries = fs.ListDirectory(Path(disk, "device/scsi_device"));
    if (!entries || entries->size() != 1) return std::nullopt;
    return ParseScsiAddress(entries->front().name);
}

bool IsOnUsb(const RootFs& fs, std::string_view disk) {
    const auto address = ScsiAddressOf(fs, disk);
    if (!address) return false;
    const auto driver = Attribute(fs, "/sys/class/scsi_host/host" + std::to_string(address->host) + "/proc_name");
    return driver == "usb-storage" || driver == "uas";
}

BlockDeviceNumbers ReadBlockDeviceNumbers(const RootFs& fs) {
    BlockDeviceNumbers numbers;
    std::map<std::string, std::string> beneath;  // dm-0 → its first slave's disk
    for (const auto& name : BlockNames(fs)) {
        if (const auto number = DeviceNumber(fs, Path(name, "dev"))) numbers[*number] = {name, name};
        const auto entries = fs.ListDirectory(std::string(kSysBlock) + name);
        if (!entries) continue;
        for (const auto& entry : *entries) {
            if (!entry.isDirectory || !entry.name.starts_with(name)) continue;
            if (const auto number = DeviceNumber(fs, Path(name, entry.name + "/dev"))) numbers[*number] = {name, entry.name};
        }
        if (const auto slaves = fs.ListDirectory(Path(name, "slaves")); slaves && !slaves->empty())
            beneath[name] = slaves->front().name;
    }
    // A slave may be a partition ("sda2"): find the disk that holds it.
    std::unordered_map<std::string, std::string> diskOf;  // a device's own name → its disk
    for (const auto& [number, device] : numbers) diskOf.emplace(device.name, device.disk);
    for (auto& [number, device] : numbers) {
        const auto slave = beneath.find(device.disk);
        if (slave == beneath.end()) continue;
        if (const auto holder = diskOf.find(slave->second); holder != diskOf.end()) device.disk = holder->second;
    }
    return numbers;
}

}  // namespace platform::linux_backend
