#include "platform/identify_block.h"

namespace platform {

namespace {

void PutAtaString(IdentifyBlock& block, std::size_t offset, std::size_t length, std::string_view text,
                  base::CodePage page) {
    text = base::FitToField(page, text, length);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = i < text.size() ? text[i] : ' ';
        // ATA strings hold the first character of each pair in the high byte.
        block[offset + (i ^ 1)] = static_cast<std::uint8_t>(c);
    }
}

// A text field read as it lies, blanks trimmed at both ends.
std::string FieldText(std::span<const std::uint8_t> data, std::size_t offset, std::size_t length) {
    std::string text(reinterpret_cast<const char*>(data.data() + offset), length);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<std::uint8_t> MakeNvmeIdentifyController(std::string_view model, std::string_view firmware,
                                                     std::string_view serial, base::CodePage page) {
    std::vector<std::uint8_t> data(nvme_identify::kLength, 0);
    const auto put = [&](std::size_t offset, std::size_t length, std::string_view text) {
        text = base::FitToField(page, text, length);
        for (std::size_t i = 0; i < length; ++i)
            data[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
    };
    put(nvme_identify::kSerialOffset, nvme_identify::kSerialLength, serial);
    put(nvme_identify::kModelOffset, nvme_identify::kModelLength, model);
    put(nvme_identify::kFirmwareOffset, nvme_identify::kFirmwareLength, firmware);
    return data;
}

std::optional<DiskIdentityText> ReadNvmeIdentifyController(std::span<const std::uint8_t> data) {
    using namespace nvme_identify;
    if (data.size() < kFirmwareOffset + kFirmwareLength) return std::nullopt;
    return DiskIdentityText{FieldText(data, kModelOffset, kModelLength), FieldText(data, kFirmwareOffset, kFirmwareLength),
                            FieldText(data, kSerialOffset, kSerialLength)};
}

IdentifyBlock MakeIdentifyBlock(std::string_view model, std::string_view firmware, std::string_view serial,
                                base::CodePage page) {
    IdentifyBlock block{};
    PutAtaString(block, identify::kSerialOffset, identify::kSerialLength, serial, page);
    PutAtaString(block, identify::kFirmwareOffset, identify::kFirmwareLength, firmware, page);
    PutAtaString(block, identify::kModelOffset, identify::kModelLength, model, page);
    return block;
}

}  // namespace platform
