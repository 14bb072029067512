// The logical drives with their volumes and free space, the ASPI module and
// the commands its devices answered, and the drive sections made whole.
#include <algorithm>

#include "platform/recording/recording_areas.h"

namespace platform::recording {

namespace {

// The file's name for the drive an ASPI device stands for: the ASPI commands
// are kept apart from the pass-through commands of the lettered drives.
std::string AspiDrive(int adapter, int target) {
    return "aspi:" + std::to_string(adapter) + ":" + std::to_string(target);
}

}  // namespace

std::string RecordingDrives::GetLogicalDriveStringsA() {
    std::string strings = real_.GetLogicalDriveStringsA();
    roots_.clear();
    for (std::size_t at = 0; at < strings.size();) {
        const std::size_t end = std::min(strings.find('\0', at), strings.size());
        if (end > at) roots_.push_back(strings.substr(at, end - at));
        at = end + 1;
    }
    for (const auto& root : roots_) Logical(root);
    return strings;
}

std::uint32_t RecordingDrives::GetDriveTypeA(std::string_view root) {
    const std::uint32_t type = real_.GetDriveTypeA(root);
    Logical(root)["type"] = type;
    return type;
}

std::optional<VolumeInformation> RecordingDrives::GetVolumeInformationA(std::string_view root) {
    auto volume = real_.GetVolumeInformationA(root);
    if (!volume) return volume;
    FileJson& v = Logical(root)["volume"];
    v = {{"label", record_.Text(volume->volumeName)}, {"file_system", record_.Text(volume->fileSystemName)}};
    if (volume->volumeSerialNumber) v["serial"] = *volume->volumeSerialNumber;
    return volume;
}

std::optional<DiskFreeSpace> RecordingDrives::GetDiskFreeSpaceA(std::string_view root) {
    auto space = real_.GetDiskFreeSpaceA(root);
    if (!space) return space;
    FileJson& s = Logical(root)["free_space"];
    // The whole counts of the 64-bit request, when it was made, stay.
    if (!s.is_object() || !s.contains("total_clusters"))
        s = {{"sectors_per_cluster", space->sectorsPerCluster},
             {"bytes_per_sector", space->bytesPerSector},
             {"free_clusters", space->numberOfFreeClusters},
             {"total_clusters", space->totalNumberOfClusters}};
    return space;
}

// The byte counts in whole clusters of the cluster size the 32-bit request
// gave (asked for here when it was not yet).
std::optional<DiskFreeSpaceEx> RecordingDrives::GetDiskFreeSpaceExA(std::string_view root) {
    auto space = real_.GetDiskFreeSpaceExA(root);
    if (!space) return space;
    const auto small = real_.GetDiskFreeSpaceA(root);
    if (!small) return space;
    const std::uint64_t cluster = std::uint64_t{small->sectorsPerCluster} * small->bytesPerSector;
    if (cluster == 0) return space;
    FileJson& s = Logical(root)["free_space"];
    s = {{"sectors_per_cluster", small->sectorsPerCluster},
         {"bytes_per_sector", small->bytesPerSector},
         {"free_clusters", space->totalNumberOfFreeBytes / cluster},
         {"total_clusters", space->totalNumberOfBytes / cluster}};
    // Counts that are not whole clusters, or a caller's share below the
    // volume's free space (a quota), are kept as they were answered.
    if (space->totalNumberOfBytes % cluster != 0 || space->totalNumberOfFreeBytes % cluster != 0) {
        s["total_bytes"] = space->totalNumberOfBytes;
        s["free_bytes"] = space->totalNumberOfFreeBytes;
    }
    if (space->freeBytesAvailableToCaller != space->totalNumberOfFreeBytes)
        s["available_bytes"] = space->freeBytesAvailableToCaller;
    return space;
}

DeviceHandle RecordingDrives::LoadLibraryA(std::string_view file) {
    const DeviceHandle module = real_.LoadLibraryA(file);
    if (module != kInvalidHandleValue && file == drive::kAspiModule) {
        FileJson& aspi = record_.file["aspi"];
        if (!aspi.is_object()) aspi = {{"exports", FileJson::array()}};
    }
    return module;
}

bool RecordingDrives::GetProcAddress(DeviceHandle module, std::string_view routine) {
    const bool found = real_.GetProcAddress(module, routine);
    FileJson& exports = record_.file["aspi"]["exports"];
    if (found && std::find(exports.begin(), exports.end(), std::string(routine)) == exports.end())
        exports.push_back(std::string(routine));
    return found;
}

std::string RecordingDrives::GetModuleFileNameA(DeviceHandle module) {
    std::string name = real_.GetModuleFileNameA(module);
    if (!name.empty()) record_.file["aspi"]["file_name"] = name;
    return name;
}

std::uint32_t RecordingDrives::GetASPI32SupportInfo() {
    const std::uint32_t info = real_.GetASPI32SupportInfo();
    FileJson& aspi = record_.file["aspi"];
    aspi["support_status"] = (info >> 8) & 0xFF;
    FileJson adapters = FileJson::array();
    for (std::uint32_t i = 0; i < (info & 0xFF); ++i) adapters.push_back({{"answers", false}});
    aspi["adapters"] = adapters;
    return info;
}

std::uint32_t RecordingDrives::SendASPI32Command(SrbHaInquiry& srb) {
    const std::uint32_t status = real_.SendASPI32Command(srb);
    FileJson& adapters = record_.file["aspi"]["adapters"];
    if (adapters.is_array() && srb.haId < adapters.size()) adapters[srb.haId]["answers"] = status == aspi::kSsComp;
    return status;
}

std::uint32_t RecordingDrives::SendASPI32Command(SrbGetDevType& srb) {
    const std::uint32_t status = real_.SendASPI32Command(srb);
    if (status == aspi::kSsComp && srb.lun == 0) aspiDevices_[{srb.haId, srb.target}] = srb.deviceType;
    return status;
}

void RecordingDrives::AspiCommand(const SrbExecScsiCmd& srb, const char* completion) {
    const std::string cdb = HexPairs(std::span(srb.cdb).first(std::min<std::size_t>(srb.cdbLength, srb.cdb.size())));
    FileJson reply = {{"refused", true}};
    if (completion)
        reply = {{"data", HexPairs(std::span<const std::uint8_t>(srb.buffer).first(
                              std::min<std::size_t>(srb.bufferLength, srb.buffer.size())))},
                 {"completion", completion}};
    Optical(AspiDrive(srb.haId, srb.target))["commands"][cdb] = reply;
}

std::uint32_t RecordingDrives::SendASPI32Command(SrbExecScsiCmd& srb) {
    const std::uint32_t status = real_.SendASPI32Command(srb);
    if (status == aspi::kSsPending) {
        pending_[srb.postEvent] = &srb;
        AspiCommand(srb, "never");  // until its event is signalled
    } else {
        AspiCommand(srb, status == aspi::kSsComp ? "at-once" : nullptr);
    }
    return status;
}

std::uint32_t RecordingDrives::WaitForSingleObject(DeviceHandle event, std::uint32_t milliseconds) {
    const std::uint32_t result = real_.WaitForSingleObject(event, milliseconds);
    const auto pending = pending_.find(event);
    if (pending != pending_.end() && result == drive::kWaitObject0) {
        AspiCommand(*pending->second, "after-wait");
        pending_.erase(pending);
    }
    return result;
}

void RecordingDrives::Finish() {
    pending_.clear();
    // A standard user: refused every open that asked for access, granted
    // the same drive without it.
    const bool standardUser = !accessGranted_ && std::any_of(refusedWithAccess_.begin(), refusedWithAccess_.end(),
                                                             [&](const std::string& n) {
                                                                 return openedWithoutAccess_.count(n) > 0;
                                                             });
    if (standardUser) record_.file["elevated"] = false;
    for (const auto& name : refusedWithoutAccess_) {
        if (logical_.count(std::string(DriveName(name)))) Logical(name)["opens"] = false;
        else Optical(name)["opens"] = false;
    }
    if (!standardUser)
        for (const auto& name : refusedWithAccess_)
            if (!openedWithoutAccess_.count(name)) Optical(name)["opens"] = false;
    for (const auto& [where, type] : aspiDevices_) {
        FileJson& adapters = record_.file["aspi"]["adapters"];
        if (!adapters.is_array() || static_cast<std::size_t>(where.first) >= adapters.size()) continue;
        adapters[where.first]["devices"].push_back(
            {{"target", where.second}, {"type", type}, {"drive", AspiDrive(where.first, where.second)}});
    }
    for (auto& [name, drive] : optical_) record_.file["optical_drives"][name] = drive;
    if (roots_.empty() && logical_.empty()) return;
    FileJson list = FileJson::array();
    for (const auto& root : roots_) {
        FileJson entry = {{"root", record_.Text(root)}};
        entry.update(Logical(root));
        list.push_back(entry);
    }
    record_.file["logical_drives"] = list;
}

}  // namespace platform::recording
