#include "platform/usb_records.h"

#include <algorithm>

#include "base/codepage.h"

namespace platform::usb {

namespace {

using Request = DescriptorRequestLayout;


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
    std::size_t at = DriverKeyNameLayout::kName;
    const auto put = [&](char16_t c) {
        if (!base::WriteLe16(record, at, static_cast<std::uint16_t>(c))) return false;
        at += 2;
        return true;
    };
    const std::u16string units = base::EncodeUtf16(name);
    for (const char16_t c : units)
        if (!put(c)) break;
    if (at == DriverKeyNameLayout::kName + 2 * units.size()) put(u'\0');
    base::WriteLe32(record, DriverKeyNameLayout::kActualLength, actualLength);
    return at;
}

base::Bytes StringDescriptor(std::wstring_view text) {
    base::Bytes out{0, StringDescriptorLayout::kType};
    const std::u16string units = base::EncodeUtf16(text);
    for (std::size_t i = 0; i < units.size(); ++i) {
        // A surrogate pair goes in whole or not at all.
        const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < units.size();
        if (out.size() + (pair ? 4 : 2) > StringDescriptorLayout::kMaxSize) break;
        base::AppendLe16(out, units[i]);
        if (pair) base::AppendLe16(out, units[++i]);
    }
    out[0] = static_cast<std::uint8_t>(out.size());
    return out;
}

}  // namespace platform::usb
