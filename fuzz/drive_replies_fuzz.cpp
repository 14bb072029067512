// What drives send: the texts of IDENTIFY DEVICE data, the ATA Information
// and Unit Serial Number VPD pages, standard INQUIRY data, the MM
// capabilities mode page, NVMe Identify Controller data, and a disk that
// answers every request (the device descriptor, the NVMe storage query, the
// geometry with its size) with the same bytes, claiming as many as it likes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "collectors/HardDrives.h"
#include "fuzz_check.h"
#include "platform/identify_block.h"
#include "platform/linux/areas/disk_identity.h"
#include "transport/ScsiReplies.h"

namespace {

class FuzzedDisk final : public platform::DriveServices {
public:
    explicit FuzzedDisk(std::span<const std::uint8_t> reply) : reply_(reply) {}
    platform::DeviceHandle CreateFileA(std::string_view name, std::uint32_t, std::uint32_t, std::uint32_t,
                                       std::uint32_t) override {
        return name == "\\\\.\\PhysicalDrive0" ? 1 : platform::kInvalidHandleValue;
    }
    bool CloseHandle(platform::DeviceHandle) override { return true; }
    bool DeviceIoControl(platform::DeviceHandle, std::uint32_t, std::span<const std::uint8_t>,
                         std::span<std::uint8_t> out, std::uint32_t& returned) override {
        const std::size_t n = std::min(reply_.size(), out.size());
        std::copy_n(reply_.begin(), n, out.begin());
        returned = static_cast<std::uint32_t>(std::min<std::size_t>(reply_.size(), UINT32_MAX));
        return true;
    }

private:
    std::span<const std::uint8_t> reply_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    for (const auto page : {base::CodePage::kWindows1252, base::CodePage::kUtf8})
        for (const auto& [offset, length] : {std::pair{20u, 20u}, {46u, 8u}, {54u, 40u}}) {
            const auto field = collectors::HardDrives::IdentifyText(bytes, offset, length, page);
            FUZZ_CHECK(field.size() <= length);
            FUZZ_CHECK(field.empty() || (field.front() != L' ' && field.back() != L' '));
        }
    if (const auto block = platform::linux_backend::IdentifyFromVpd89(text)) FUZZ_CHECK(block->size() == 512);
    FUZZ_CHECK(platform::linux_backend::SerialFromVpd80(text).size() <= size);

    const auto inquiry = transport::DecodeInquiry(bytes, base::CodePage::kUtf8);
    FUZZ_CHECK(inquiry.manufacturer.size() <= 8 && inquiry.name.size() <= 16 && inquiry.revision.size() <= 4);
    const auto speeds = transport::DecodeCapabilitiesPage(bytes);
    for (const auto speed : {speeds.readMaximum, speeds.readCurrent, speeds.writeMaximum, speeds.writeCurrent})
        FUZZ_CHECK(speed >= 0 && speed <= 65535 / 176);

    if (const auto nvme = platform::ReadNvmeIdentifyController(bytes))
        FUZZ_CHECK(nvme->model.size() <= 40 && nvme->firmware.size() <= 8 && nvme->serial.size() <= 20);
    FuzzedDisk disk(bytes);
    const collectors::HardDrives drives(disk, base::CodePage::kWindows1252);
    FUZZ_CHECK(drives.Count() <= 1);
    if (const auto* item = drives.Item(0)) FUZZ_CHECK(item->Capacity() >= 0);
    return 0;
}
