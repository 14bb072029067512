#include "platform/usb_records.h"

#include <algorithm>

namespace platform::usb {

namespace {

using Request = DescriptorRequestLayout;

constexpr std::uint32_t kBasicPlaneEnd = 0x10000;
constexpr std::uint16_t kHighSurrogate = 0xD800;
constexpr std::uint16_t kLowSurrogate = 0xDC00;

}  // namespace

bool WriteDescriptorRequest(std::span<std::uint8_t> record, const DescriptorRequest& request) {
    if (record.size() < Request::kData) return false;
    base::WriteLe32(record, Request::kConnectionIndex, request.port);
    record[Request::kRequestType] = request.requestType;
    record[Request::kRequest] = request.request;
    base::WriteLe16(record, Request::kValue, DescriptorValue(request.type, request.index));
    base::WriteLe16(record, Request::kIndex, request.language);
    base::WriteLe16(record, Request::kLength, request.length);
    return true;
}

std::optional<DescriptorRequest> ReadDescriptorRequest(std::span<const std::uint8_t> record) {
    if (record.size() < Request::kData) return std::nullopt;
    DescriptorRequest request;
    request.port = *base::ReadLe32(record, Request::kConnectionIndex);
    request.requestType = record[Request::kRequestType];
    request.request = record[Request::kRequest];
    const std::uint16_t value = *base::ReadLe16(record, Request::kValue);
    request.type = static_cast<std::uint8_t>(value >> 8);
    request.index = static_cast<std::uint8_t>(value);
    request.language = *base::ReadLe16(record, Request::kIndex);
    request.length = *base::ReadLe16(record, Request::kLength);
    return request;
}

std::uint32_t PutDescriptorReply(std::span<std::uint8_t> record, std::span<const std::uint8_t> descriptor,
                                 std::size_t length) {
    const std::size_t room = record.size() > Request::kData ? record.size() - Request::kData : 0;
    const std::size_t size = std::min({descriptor.size(), length, room});
    std::copy_n(descriptor.begin(), size, record.begin() + Request::kData);
    return static_cast<std::uint32_t>(Request::kData + size);
}

std::size_t PutDriverKeyName(std::span<std::uint8_t> record, std::wstring_view name, std::uint32_t actualLength) {
    using L = DriverKeyNameLayout;
    std::size_t at = L::kName;
    const auto put = [&](wchar_t c) {
        if (!base::WriteLe16(record, at, static_cast<std::uint16_t>(c))) return false;
        at += 2;
        return true;
    };
    for (const wchar_t c : name)
        if (!put(c)) break;
    if (at == L::kName + 2 * name.size()) put(L'\0');
    base::WriteLe32(record, L::kActualLength, actualLength);
    return at;
}

base::Bytes StringDescriptor(std::wstring_view text) {
    using L = StringDescriptorLayout;
    base::Bytes out{0, L::kType};
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        std::uint16_t units[2] = {static_cast<std::uint16_t>(code), 0};
        std::size_t count = 1;
        if (code >= kBasicPlaneEnd) {
            units[0] = static_cast<std::uint16_t>(kHighSurrogate + ((code - kBasicPlaneEnd) >> 10));
            units[1] = static_cast<std::uint16_t>(kLowSurrogate + ((code - kBasicPlaneEnd) & 0x3FF));
            count = 2;
        }
        if (out.size() + 2 * count > L::kMaxSize) break;
        for (std::size_t i = 0; i < count; ++i) base::AppendLe16(out, units[i]);
    }
    out[0] = static_cast<std::uint8_t>(out.size());
    return out;
}

}  // namespace platform::usb
