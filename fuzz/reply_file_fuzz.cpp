// A recorded-reply file: parsing gives bytes or an error naming the line,
// and the text veltrix-capture writes for those bytes reads back the same.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "platform/linux/io/reply_file.h"

using platform::linux_backend::FormatReplyFile;
using platform::linux_backend::ParseReplyFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = ParseReplyFile(text);
    if (!parsed.bytes) {
        FUZZ_CHECK(parsed.error.rfind("line ", 0) == 0);
        return 0;
    }
    const auto again = ParseReplyFile(FormatReplyFile("channel", "request", *parsed.bytes));
    FUZZ_CHECK(again.bytes && *again.bytes == *parsed.bytes);
    // Any bytes at all, as a device may answer, survive the round trip too.
    const platform::linux_backend::Bytes raw(data, data + size);
    const auto written = ParseReplyFile(FormatReplyFile("channel", "request", raw));
    FUZZ_CHECK(written.bytes && *written.bytes == raw);
    return 0;
}
