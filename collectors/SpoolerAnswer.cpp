#include "collectors/SpoolerAnswer.h"

#include <algorithm>
#include <string_view>

#include "base/bytes.h"
#include "base/codepage.h"

namespace collectors {

namespace {

constexpr std::size_t kMaxRecords = 32767;  // Count is a signed 16-bit number
constexpr std::size_t kPointerSize = 4;

}  // namespace

SpoolerAnswer SpoolerAnswer::Ask(const SpoolerRequest& request, std::size_t recordSize) {
    std::uint32_t needed = 0;
    std::uint32_t returned = 0;
    if (request({}, needed, returned)) return {};  // nothing to list
    // One byte more than needed, as the spooler's callers allocate it; the
    // spooler is told the size it asked for.
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(needed) + 1, 0);
    returned = 0;
    if (!request(std::span<std::uint8_t>(buffer.data(), needed), needed, returned)) return {};
    buffer.resize(std::min<std::size_t>(buffer.size() - 1, needed));
    return SpoolerAnswer(std::move(buffer), returned, recordSize);
}

SpoolerAnswer::SpoolerAnswer(std::vector<std::uint8_t> buffer, std::uint32_t returned, std::size_t recordSize)
    : buffer_(std::move(buffer)), recordSize_(recordSize) {
    if (recordSize_ == 0) return;
    found_ = std::min<std::size_t>(returned, buffer_.size() / recordSize_);
    // A spooler with more records than Count can hold lists the first ones.
    records_ = std::min<std::size_t>(found_, kMaxRecords);
}

std::string_view SpoolerAnswer::Bytes(std::size_t index, std::size_t fieldOffset) const {
    if (index >= records_ || fieldOffset + kPointerSize > recordSize_) return {};
    const std::size_t at = index * recordSize_ + fieldOffset;
    const std::uint32_t pointer = *base::ReadLe32(buffer_, at);
    if (pointer == 0 || pointer >= buffer_.size()) return {};
    const std::string_view rest(reinterpret_cast<const char*>(buffer_.data()) + pointer, buffer_.size() - pointer);
    return rest.substr(0, rest.find('\0'));
}

std::wstring SpoolerAnswer::Text(std::size_t index, std::size_t fieldOffset, base::CodePage page) const {
    return base::DecodeText(page, Bytes(index, fieldOffset));
}

}  // namespace collectors
