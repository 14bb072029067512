#include "transport/ScsiReplies.h"

#include <algorithm>
#include <string_view>

#include "base/codepage.h"

namespace transport {

namespace {

std::wstring Field(std::span<const std::uint8_t> reply, std::size_t offset, std::size_t length) {
    if (offset >= reply.size()) return {};
    const auto bytes = reply.subspan(offset, std::min(length, reply.size() - offset));
    return base::TextFromBuffer(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::uint16_t Be16(std::span<const std::uint8_t> page, std::size_t offset) {
    if (offset + 2 > page.size()) return 0;
    return static_cast<std::uint16_t>(page[offset] << 8 | page[offset + 1]);
}

}  // namespace

InquiryTexts DecodeInquiry(std::span<const std::uint8_t> reply) {
    using namespace inquiry_data;
    return {Field(reply, kVendorOffset, kVendorLength), Field(reply, kProductOffset, kProductLength),
            Field(reply, kRevisionOffset, kRevisionLength)};
}

std::int16_t SpeedFactor(std::uint16_t kilobytesPerSecond) {
    return static_cast<std::int16_t>(kilobytesPerSecond / capabilities_page::kSingleSpeed);
}

DriveSpeeds DecodeCapabilitiesPage(std::span<const std::uint8_t> reply) {
    using namespace capabilities_page;
    if (reply.size() <= kHeaderLength) return {};
    const auto page = reply.subspan(kHeaderLength);
    return {SpeedFactor(Be16(page, kReadMaximum)), SpeedFactor(Be16(page, kReadCurrent)),
            SpeedFactor(Be16(page, kWriteMaximum)), SpeedFactor(Be16(page, kWriteCurrent))};
}

}  // namespace transport
