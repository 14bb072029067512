#include "platform/linux/io/volume_replies.h"

#include <sys/statvfs.h>

#include <blkid/blkid.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "base/bytes.h"

namespace platform::linux_backend {

Bytes EncodeBlkidReply(const VolumeIdentity& identity) {
    Bytes reply;
    for (const auto* text : {&identity.type, &identity.label, &identity.uuid}) {
        reply.insert(reply.end(), text->begin(), text->end());
        reply.push_back(0);
    }
    return reply;
}

std::optional<VolumeIdentity> DecodeBlkidReply(const Bytes& reply) {
    std::string texts[3];
    std::size_t index = 0;
    for (const auto byte : reply) {
        if (index == 3) return std::nullopt;  // bytes after the third text
        if (byte == 0)
            ++index;
        else
            texts[index] += static_cast<char>(byte);
    }
    if (index != 3) return std::nullopt;
    return VolumeIdentity{texts[0], texts[1], texts[2]};
}

std::optional<VolumeIdentity> ProbeVolume(const std::string& devicePath) {
    blkid_probe probe = blkid_new_probe_from_filename(devicePath.c_str());
    if (!probe) return std::nullopt;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID);
    std::optional<VolumeIdentity> identity;
    if (blkid_do_safeprobe(probe) == 0) {
        const auto value = [&](const char* name) {
            const char* data = nullptr;
            return blkid_probe_lookup_value(probe, name, &data, nullptr) == 0 && data ? std::string(data) : std::string();
        };
        identity = VolumeIdentity{value("TYPE"), value("LABEL"), value("UUID")};
        if (identity->type.empty()) identity.reset();
    }
    blkid_free_probe(probe);
    return identity;
}

Bytes EncodeStatvfsReply(const VolumeFigures& figures) {
    Bytes reply;
    base::AppendLe64(reply, figures.fragmentSize);
    base::AppendLe64(reply, figures.blocks);
    base::AppendLe64(reply, figures.freeBlocks);
    base::AppendLe64(reply, figures.availableBlocks);
    return reply;
}

std::optional<VolumeFigures> DecodeStatvfsReply(const Bytes& reply) {
    if (reply.size() != kStatvfsReplySize) return std::nullopt;
    return VolumeFigures{*base::ReadLe64(reply, 0), *base::ReadLe64(reply, 8), *base::ReadLe64(reply, 16),
                         *base::ReadLe64(reply, 24)};
}

std::optional<VolumeFigures> StatVolume(const std::string& mountPoint) {
    struct statvfs data {};
    if (::statvfs(mountPoint.c_str(), &data) != 0) return std::nullopt;
    return VolumeFigures{data.f_frsize ? data.f_frsize : data.f_bsize, data.f_blocks, data.f_bfree, data.f_bavail};
}

std::optional<VolumeFigures> StatVolume(const std::string& mountPoint, std::chrono::milliseconds limit) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::optional<VolumeFigures> figures;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, mountPoint] {
        const auto figures = StatVolume(mountPoint);
        const std::lock_guard lock(shared->mutex);
        shared->figures = figures;
        shared->finished = true;
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_for(lock, limit, [&] { return shared->finished; })) return std::nullopt;
    return shared->figures;
}

std::optional<DiskFreeSpace> ClustersOfVolume(const VolumeFigures& figures) {
    constexpr std::uint64_t kSector = 512;
    constexpr std::uint64_t kCountLimit = 0x7FFFFFFF;
    if (figures.fragmentSize == 0 || figures.fragmentSize > UINT32_MAX) return std::nullopt;
    std::uint64_t bytesPerSector = figures.fragmentSize % kSector == 0 ? kSector : figures.fragmentSize;
    std::uint64_t sectorsPerCluster = figures.fragmentSize / bytesPerSector;
    std::uint64_t total = figures.blocks;
    std::uint64_t available = std::min(figures.availableBlocks, figures.blocks);
    while (total > kCountLimit && sectorsPerCluster <= UINT32_MAX / 2) {
        sectorsPerCluster *= 2;
        total /= 2;
        available /= 2;
    }
    if (total > kCountLimit) return std::nullopt;
    return DiskFreeSpace{static_cast<std::uint32_t>(sectorsPerCluster), static_cast<std::uint32_t>(bytesPerSector),
                         static_cast<std::uint32_t>(available), static_cast<std::uint32_t>(total)};
}

}  // namespace platform::linux_backend
