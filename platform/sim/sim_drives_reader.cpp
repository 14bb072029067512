// GCC 12 at -O3 warns inside the standard library's own std::map insertion
// for byte-string keys (the optical drives' commands): a memcmp bound "past
// the largest object", which it cannot rule out, not a fault. Silenced for
// this file alone, before the library is included.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
#include "platform/sim/sim_drives_reader.h"

#include "base/codepage.h"
#include "platform/identify_block.h"
#include "platform/sim/sim_areas.h"
#include "platform/sim/sim_text.h"

namespace platform::sim {

namespace {


int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A member text in the machine's code page, "" when absent.
std::string MemberText(const Node& node, const char* key, base::CodePage page) {
    const auto member = node.Member(key);
    return member ? MachineText(*member, page) : std::string();
}

SimStorageDescriptor ReadDescriptor(const Node& node, base::CodePage page) {
    node.OnlyKeys({"bus_type", "removable", "vendor", "product", "revision", "serial"});
    SimStorageDescriptor descriptor;
    descriptor.busType = static_cast<std::uint32_t>(node.Unsigned("bus_type", UINT32_MAX, 0));
    descriptor.removable = node.Boolean("removable", false);
    descriptor.vendor = MemberText(node, "vendor", page);
    descriptor.product = MemberText(node, "product", page);
    descriptor.revision = MemberText(node, "revision", page);
    descriptor.serial = MemberText(node, "serial", page);
    return descriptor;
}

// The 4096 bytes as hex pairs, or the three texts put into their fields.
ByteString ReadNvmeIdentify(const Node& node, base::CodePage page) {
    if (node.IsString()) {
        auto bytes = HexBytes(node);
        if (bytes.size() != nvme_identify::kLength) node.Fail("Identify Controller data must be 4096 bytes");
        return bytes;
    }
    node.OnlyKeys({"model", "firmware", "serial"});
    return MakeNvmeIdentifyController(MemberText(node, "model", page), MemberText(node, "firmware", page),
                                      MemberText(node, "serial", page), page);
}

SimDisk ReadDisk(const Node& node, base::CodePage page) {
    node.OnlyKeys({"opens", "smart_device_map", "identify", "geometry", "descriptor", "nvme_identify"});
    SimDisk disk;
    disk.opens = node.Boolean("opens", true);
    if (const auto map = node.Member("smart_device_map"))
        disk.deviceMap = map->IsNull() ? std::nullopt : std::optional<std::uint8_t>(map->Unsigned(255));
    if (const auto identify = node.Member("identify"); identify && !identify->IsNull()) {
        if (identify->IsString()) {
            disk.identify = HexBytes(*identify);
            if (disk.identify->size() != identify::kLength) identify->Fail("IDENTIFY data must be 512 bytes");
        } else {
            identify->OnlyKeys({"model", "firmware", "serial"});
            const auto text = [&](const char* key) { return MemberText(*identify, key, page); };
            const auto block = MakeIdentifyBlock(text("model"), text("firmware"), text("serial"), page);
            disk.identify = ByteString(block.begin(), block.end());
        }
    }
    if (const auto geometry = node.Member("geometry"); geometry && !geometry->IsNull()) {
        geometry->OnlyKeys(
            {"cylinders", "tracks_per_cylinder", "sectors_per_track", "bytes_per_sector", "media_type", "disk_size"});
        if (const auto size = geometry->Member("disk_size")) disk.diskSize = size->Unsigned(INT64_MAX);
        DiskGeometry g;
        g.cylinders = geometry->Member("cylinders") ? geometry->Member("cylinders")->Signed(INT64_MIN, INT64_MAX) : 0;
        g.mediaType = static_cast<std::uint32_t>(geometry->Unsigned("media_type", UINT32_MAX, DiskGeometry::kFixedMedia));
        g.tracksPerCylinder = static_cast<std::uint32_t>(geometry->Unsigned("tracks_per_cylinder", UINT32_MAX, 0));
        g.sectorsPerTrack = static_cast<std::uint32_t>(geometry->Unsigned("sectors_per_track", UINT32_MAX, 0));
        g.bytesPerSector = static_cast<std::uint32_t>(geometry->Unsigned("bytes_per_sector", UINT32_MAX, 0));
        disk.geometry = g;
    }
    if (const auto descriptor = node.Member("descriptor"); descriptor && !descriptor->IsNull())
        disk.descriptor = ReadDescriptor(*descriptor, page);
    if (const auto nvme = node.Member("nvme_identify"); nvme && !nvme->IsNull()) disk.nvmeIdentify = ReadNvmeIdentify(*nvme, page);
    return disk;
}

SimCommand ReadCommand(const Node& node) {
    node.OnlyKeys({"refused", "scsi_status", "data", "completion"});
    SimCommand command;
    command.refused = node.Boolean("refused", false);
    command.scsiStatus = static_cast<std::uint8_t>(node.Unsigned("scsi_status", 255, 0));
    if (const auto data = node.Member("data")) command.data = HexBytes(*data);
    const std::string completion = node.Text("completion", "at-once");
    if (completion == "after-wait")
        command.completion = SimCommand::Completion::kAfterWait;
    else if (completion == "never")
        command.completion = SimCommand::Completion::kNever;
    else if (completion != "at-once")
        node.Member("completion")->Fail("expected at-once, after-wait or never");
    return command;
}

}  // namespace

ByteString HexBytes(const Node& node) {
    const std::string text = node.Text();
    ByteString bytes;
    bytes.reserve(text.size() / 2);  // at most: pairs without blanks
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\n' || text[i] == '\t') {
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0) node.Fail("expected pairs of hexadecimal digits at character " + std::to_string(i));
        bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
        i += 2;
    }
    return bytes;
}

void ReadDisksSection(const Node& section, SimAreas& areas) { ReadDisks(section, areas.drives, areas.codePage); }
void ReadOpticalDrivesSection(const Node& section, SimAreas& areas) { ReadOpticalDrives(section, areas.drives, areas.codePage); }
void ReadAspiSection(const Node& section, SimAreas& areas) { ReadAspi(section, areas.drives, areas.codePage); }
void ReadLogicalDrivesSection(const Node& section, SimAreas& areas) { ReadLogicalDrives(section, areas.drives, areas.codePage); }
void ReadElevatedSection(const Node& section, SimAreas& areas) { areas.drives.elevated = section.Boolean(); }

void ReadDisks(const Node& section, SimDrives& drives, base::CodePage page) {
    if (!section.IsObject()) section.Fail("expected an object of disks by number");
    for (const auto& [name, disk] : section.Members()) {
        const std::string key = name.Text();
        if (key.size() != 1 || key[0] < '0' || key[0] > '9') disk.Fail("a disk is named by its number 0-9");
        drives.disks[key[0] - '0'] = ReadDisk(disk, page);
    }
}

void ReadOpticalDrives(const Node& section, SimDrives& drives, base::CodePage page) {
    if (!section.IsObject()) section.Fail("expected an object of optical drives by name");
    for (const auto& [driveName, node] : section.Members()) {
        const std::string name = driveName.Text();
        node.OnlyKeys({"opens", "scsi_address", "commands", "alignment_mask"});
        SimOpticalDrive drive;
        drive.opens = node.Boolean("opens", true);
        if (const auto mask = node.Member("alignment_mask"))
            drive.alignmentMask = static_cast<std::uint32_t>(mask->Unsigned(UINT32_MAX));
        if (const auto address = node.Member("scsi_address"); address && !address->IsNull()) {
            address->OnlyKeys({"port", "path", "target", "lun"});
            ScsiAddress a;
            a.portNumber = static_cast<std::uint8_t>(address->Unsigned("port", 255, 0));
            a.pathId = static_cast<std::uint8_t>(address->Unsigned("path", 255, 0));
            a.targetId = static_cast<std::uint8_t>(address->Unsigned("target", 255, 0));
            a.lun = static_cast<std::uint8_t>(address->Unsigned("lun", 255, 0));
            drive.address = a;
        }
        if (const auto commands = node.Member("commands")) {
            for (const auto& [cdb, reply] : commands->Members()) drive.commands[HexBytes(cdb)] = ReadCommand(reply);
        }
        drives.opticalDrives[MachineText(name, page)] = std::move(drive);
    }
}

void ReadAspi(const Node& section, SimDrives& drives, base::CodePage page) {
    section.OnlyKeys({"exports", "file_name", "support_status", "adapters"});
    SimAspi aspi;
    if (const auto exports = section.Member("exports"))
        for (std::size_t i = 0; i < exports->Size(); ++i) aspi.exports.push_back(exports->Element(i).Text());
    aspi.fileName = section.Text("file_name", "C:\\WINDOWS\\system32\\WNASPI32.DLL");
    aspi.supportStatus = static_cast<std::uint8_t>(section.Unsigned("support_status", 255, aspi::kSsComp));
    if (const auto adapters = section.Member("adapters")) {
        if (adapters->Size() > 255) adapters->Fail("at most 255 adapters");
        for (std::size_t a = 0; a < adapters->Size(); ++a) {
            const Node adapter = adapters->Element(a);
            adapter.OnlyKeys({"answers", "devices"});
            SimAspi::Adapter entry;
            entry.answers = adapter.Boolean("answers", true);
            if (const auto devices = adapter.Member("devices"))
                for (std::size_t d = 0; d < devices->Size(); ++d) {
                    const Node device = devices->Element(d);
                    device.OnlyKeys({"target", "type", "drive"});
                    entry.devices.push_back({static_cast<std::uint8_t>(device.Unsigned("target", 7, 0)),
                                             static_cast<std::uint8_t>(device.Unsigned("type", 31, 0)),
                                             MachineText(device.Text("drive", ""), page)});
                }
            aspi.adapters.push_back(std::move(entry));
        }
    }
    drives.aspi = std::move(aspi);
}

void ReadLogicalDrives(const Node& section, SimDrives& drives, base::CodePage page) {
    for (std::size_t i = 0; i < section.Size(); ++i) {
        const Node node = section.Element(i);
        node.OnlyKeys({"root", "type", "opens", "bus_type", "media_type", "volume", "free_space"});
        SimLogicalDrive drive;
        drive.root = MachineText(node.Text("root", ""), page);
        if (drive.root.empty()) node.Fail("a logical drive needs its root");
        drive.driveType = static_cast<std::uint32_t>(node.Unsigned("type", 6, drive::kDriveFixed));
        drive.opens = node.Boolean("opens", true);
        if (const auto bus = node.Member("bus_type")) drive.busType = static_cast<std::uint32_t>(bus->Unsigned(UINT32_MAX));
        if (const auto media = node.Member("media_type"))
            drive.mediaType = static_cast<std::uint32_t>(media->Unsigned(UINT32_MAX));
        if (const auto volume = node.Member("volume"); volume && !volume->IsNull()) {
            volume->OnlyKeys({"label", "file_system", "serial"});
            VolumeInformation info;
            if (const auto label = volume->Member("label")) info.volumeName = MachineText(*label, page);
            if (const auto fs = volume->Member("file_system")) info.fileSystemName = MachineText(*fs, page);
            if (const auto serial = volume->Member("serial"))
                info.volumeSerialNumber = static_cast<std::uint32_t>(serial->Unsigned(UINT32_MAX));
            drive.volume = info;
        }
        if (const auto space = node.Member("free_space"); space && !space->IsNull()) {
            space->OnlyKeys({"sectors_per_cluster", "bytes_per_sector", "free_clusters", "total_clusters", "total_bytes",
                             "free_bytes", "available_bytes"});
            SimLogicalDrive::FreeSpace s;
            s.sectorsPerCluster = static_cast<std::uint32_t>(space->Unsigned("sectors_per_cluster", UINT32_MAX, 0));
            s.bytesPerSector = static_cast<std::uint32_t>(space->Unsigned("bytes_per_sector", UINT32_MAX, 0));
            s.freeClusters = space->Unsigned("free_clusters", UINT64_MAX, 0);
            s.totalClusters = space->Unsigned("total_clusters", UINT64_MAX, 0);
            if (const auto n = space->Member("total_bytes")) s.totalBytes = n->Unsigned(UINT64_MAX);
            if (const auto n = space->Member("free_bytes")) s.freeBytes = n->Unsigned(UINT64_MAX);
            if (const auto n = space->Member("available_bytes")) s.availableBytes = n->Unsigned(UINT64_MAX);
            drive.space = s;
        }
        drives.logicalDrives.push_back(std::move(drive));
    }
}

}  // namespace platform::sim
