#pragma once
// Reading the print spooler's level-2 answer (EnumPrinters, EnumPorts): a
// size query with no buffer, one buffer of the size it reports, then an
// array of fixed-size records whose text fields point into the same buffer.
// Positions are computed in the buffer's own size type and every read is
// checked against the buffer, so a spooler that reports more records than
// the buffer holds, or a pointer that leads outside it, cannot make the
// program read beyond the answer.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/codepage.h"

namespace collectors {

// One request of the two-call protocol: the buffer (empty for the size
// query), the bytes needed and the records returned.
using SpoolerRequest = std::function<bool(std::span<std::uint8_t> buffer, std::uint32_t& needed, std::uint32_t& returned)>;

class SpoolerAnswer {
public:
    // Asks twice as the spooler expects. Empty when the size query
    // succeeds (nothing to list) or when the second request fails.
    static SpoolerAnswer Ask(const SpoolerRequest& request, std::size_t recordSize);

    // The records that lie wholly inside the buffer, at most the number
    // returned.
    std::size_t RecordCount() const { return records_; }
    // The records the answer holds, those past what Count can hold included.
    std::size_t RecordsFound() const { return found_; }
    // The text the pointer field at `fieldOffset` of record `index` points
    // to, up to its zero byte or the end of the buffer; "" for a null
    // pointer or one outside the buffer. Bytes() as the spooler holds it (a
    // name to compare or ask for again), Text() decoded from code page `page`.
    std::string_view Bytes(std::size_t index, std::size_t fieldOffset) const;
    std::wstring Text(std::size_t index, std::size_t fieldOffset, base::CodePage page) const;

    // For tests and fuzzing: an answer over bytes already received.
    SpoolerAnswer(std::vector<std::uint8_t> buffer, std::uint32_t returned, std::size_t recordSize);
    SpoolerAnswer() = default;

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t recordSize_ = 0;
    std::size_t records_ = 0;
    std::size_t found_ = 0;
};

}  // namespace collectors
