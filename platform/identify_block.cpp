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

}  // namespace

IdentifyBlock MakeIdentifyBlock(std::string_view model, std::string_view firmware, std::string_view serial,
                                base::CodePage page) {
    IdentifyBlock block{};
    PutAtaString(block, identify::kSerialOffset, identify::kSerialLength, serial, page);
    PutAtaString(block, identify::kFirmwareOffset, identify::kFirmwareLength, firmware, page);
    PutAtaString(block, identify::kModelOffset, identify::kModelLength, model, page);
    return block;
}

}  // namespace platform
