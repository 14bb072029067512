#include "transport/ScsiReplies.h"

#include <algorithm>
#include <string_view>

#include "base/bytes.h"
#include "base/codepage.h"

namespace transport {

namespace {

std::wstring Field(std::span<const std::uint8_t> reply, std::size_t offset, std::size_t length) {
    if (offset >= reply.size()) return {};
    const auto bytes = reply.subspan(offset, std::min(length, reply.size() - offset));
    return base::TextFromBuffer(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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
    // A speed the page is too short for reads as 0.
    const auto speed = [&](std::size_t offset) { return SpeedFactor(base::ReadBe16(page, offset).value_or(0)); };
    return {speed(kReadMaximum), speed(kReadCurrent), speed(kWriteMaximum), speed(kWriteCurrent)};
}

}  // namespace transport
