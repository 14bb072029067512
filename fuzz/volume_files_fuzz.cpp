// What describes volumes: /proc/self/mountinfo, the udev database entry, the
// cdrom table, and the recorded blkid and statvfs replies. The input is the
// files in turn, separated by form feeds.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/linux/parsers/cdrom_info.h"
#include "platform/linux/areas/linux_volumes.h"
#include "platform/linux/parsers/mountinfo.h"
#include "platform/linux/parsers/udev_database.h"
#include "platform/linux/io/volume_replies.h"
#include "platform/linux/parsers/volume_serial.h"

namespace pl = platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto end = input.find('\f', start);
        parts.push_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    parts.resize(5);

    const auto mounts = pl::ParseMountInfo(parts[0]);
    pl::BlockDeviceNumbers numbers;
    for (const auto& mount : mounts) {
        FUZZ_CHECK(mount.mountPoint.size() <= parts[0].size());
        numbers[{mount.major, mount.minor}] = {"sda", "sda1"};
    }
    const auto volumes = pl::ListVolumes(mounts, numbers, {"sr0"}, {"sda"});
    FUZZ_CHECK(volumes.size() <= mounts.size() + 1);
    for (const auto& volume : volumes) FUZZ_CHECK(volume.driveType >= 2 && volume.driveType <= 6);

    if (const auto identity = pl::VolumeIdentityFromUdev(parts[1])) {
        FUZZ_CHECK(!identity->type.empty());
        pl::VolumeSerialFromUuid(identity->type, identity->uuid);
    }
    pl::DrivesReadingDvd(parts[2]);

    const pl::Bytes reply(parts[3].begin(), parts[3].end());
    if (const auto blkid = pl::DecodeBlkidReply(reply)) {
        FUZZ_CHECK(pl::EncodeBlkidReply(*blkid) == reply);  // the one form of three texts
        pl::VolumeSerialFromUuid(blkid->type, blkid->uuid);
    }
    const pl::Bytes figuresReply(parts[4].begin(), parts[4].end());
    if (const auto figures = pl::DecodeStatvfsReply(figuresReply)) {
        FUZZ_CHECK(pl::EncodeStatvfsReply(*figures) == figuresReply);
        if (const auto clusters = pl::ClustersOfVolume(*figures)) {
            FUZZ_CHECK(clusters->totalNumberOfClusters <= 0x7FFFFFFFu);
            FUZZ_CHECK(clusters->numberOfFreeClusters <= clusters->totalNumberOfClusters);
            FUZZ_CHECK(clusters->bytesPerSector > 0 && clusters->sectorsPerCluster > 0);
        }
    }
    return 0;
}
