// What drives send: the texts of IDENTIFY DEVICE data, the ATA Information
// and Unit Serial Number VPD pages, standard INQUIRY data and the MM
// capabilities mode page.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "collectors/HardDrives.h"
#include "fuzz_check.h"
#include "platform/linux/areas/disk_identity.h"
#include "transport/ScsiReplies.h"

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
    return 0;
}
