// Any bytes as a spooler's answer: the first four give the record count the
// spooler claims, the rest is the buffer. Whatever the pointers say, the
// reader stays inside the buffer (AddressSanitizer watches) and reads only
// whole records.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "collectors/SpoolerAnswer.h"
#include "fuzz_check.h"
#include "platform/spooler_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint32_t returned = data[0] | (data[1] << 8) | (data[2] << 16) | (std::uint32_t(data[3]) << 24);
    const std::vector<std::uint8_t> buffer(data + 4, data + size);
    for (std::size_t recordSize : {platform::PrinterInfo2Layout::kSize, platform::PortInfo2Layout::kSize}) {
        const collectors::SpoolerAnswer answer(buffer, returned, recordSize);
        FUZZ_CHECK(answer.RecordCount() <= returned);
        FUZZ_CHECK(answer.RecordCount() * recordSize <= buffer.size());
        for (std::size_t i = 0; i <= answer.RecordCount(); ++i)
            for (std::size_t field = 0; field < recordSize; field += 4) {
                const auto text = answer.Bytes(i, field);
                answer.Text(i, field, base::CodePage::kUtf8);
                FUZZ_CHECK(text.size() < buffer.size() || text.empty());
            }
    }
    return 0;
}
