#include "platform/linux/io/scsi_pass_through.h"

#include <fcntl.h>
#include <linux/hdreg.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>

namespace platform::linux_backend {

namespace {

constexpr std::uint32_t kMaximumTransfer = 64 * 1024;
constexpr std::uint32_t kIdentifyTimeoutMs = 5000;

}  // namespace

std::optional<PassThroughResult> SendScsiCommand(const std::string& devicePath, std::span<const std::uint8_t> cdb,
                                                 std::uint32_t transferLength, std::uint32_t timeoutMilliseconds) {
    if (cdb.empty() || cdb.size() > 16 || transferLength > kMaximumTransfer) return std::nullopt;
    const int fd = ::open(devicePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::array<std::uint8_t, 16> command{};
    std::copy(cdb.begin(), cdb.end(), command.begin());
    std::array<std::uint8_t, 32> sense{};
    Bytes data(transferLength);
    sg_io_hdr_t io{};
    io.interface_id = 'S';
    io.dxfer_direction = transferLength ? SG_DXFER_FROM_DEV : SG_DXFER_NONE;
    io.cmd_len = static_cast<unsigned char>(cdb.size());
    io.cmdp = command.data();
    io.mx_sb_len = static_cast<unsigned char>(sense.size());
    io.sbp = sense.data();
    io.dxfer_len = transferLength;
    io.dxferp = transferLength ? data.data() : nullptr;
    io.timeout = timeoutMilliseconds;
    const int result = ::ioctl(fd, SG_IO, &io);
    ::close(fd);
    if (result != 0 || io.host_status != 0) return std::nullopt;
    // The driver status only says "sense data follows" when the device ended
    // with CHECK CONDITION; anything else is an error of the transport.
    constexpr unsigned kDriverSense = 0x08;
    if ((io.driver_status & ~kDriverSense) != 0) return std::nullopt;
    const int resid = io.resid < 0 ? 0 : std::min<int>(io.resid, static_cast<int>(transferLength));
    data.resize(transferLength - static_cast<std::uint32_t>(resid));
    return PassThroughResult{io.status, std::move(data)};
}

std::optional<Bytes> AtaIdentify(const std::string& devicePath) {
    // ATA PASS-THROUGH(16): PIO data-in, transfer length in the sector count,
    // one 512-byte block towards the host; command ECh.
    constexpr std::array<std::uint8_t, 16> cdb = {0x85, 0x08, 0x0E, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0xEC, 0};
    const auto result = SendScsiCommand(devicePath, cdb, 512, kIdentifyTimeoutMs);
    if (!result || result->scsiStatus != 0 || result->data.size() != 512) return std::nullopt;
    return result->data;
}

void SwapIdentifyTexts(Bytes& identify) {
    for (const auto& [offset, length] : {std::pair<std::size_t, std::size_t>{20, 20}, {46, 8}, {54, 40}})
        for (std::size_t i = offset; i + 1 < offset + length && i + 1 < identify.size(); i += 2)
            std::swap(identify[i], identify[i + 1]);
}

std::optional<Bytes> IdeIdentity(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    Bytes identify(512);
    const int result = ::ioctl(fd, HDIO_GET_IDENTITY, identify.data());
    ::close(fd);
    if (result != 0) return std::nullopt;
    SwapIdentifyTexts(identify);
    return identify;
}

}  // namespace platform::linux_backend
