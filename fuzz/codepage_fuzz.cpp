// The code-page conversions: any bytes decode, and what decodes cleanly
// encodes back to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "base/codepage.h"
#include "base/printable_text.h"

namespace {
constexpr wchar_t kReplacement = L'\uFFFD';
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr std::uint32_t kFirstSurrogate = 0xD800, kLastSurrogate = 0xDFFF;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Windows-1252: every byte has a character, and it maps back.
    const std::wstring single = base::DecodeWindows1252(bytes);
    FUZZ_CHECK(single.size() == bytes.size());
    FUZZ_CHECK(base::EncodeWindows1252(single) == bytes);
    FUZZ_CHECK(base::TextFromBuffer(base::CodePage::kWindows1252, bytes) == single.substr(0, single.find(L'\0')));

    // UTF-8: decoding is idempotent through encoding; without replacements
    // the bytes come back as they were.
    const std::wstring wide = base::DecodeUtf8(bytes);
    FUZZ_CHECK(base::DecodeText(base::CodePage::kUtf8, bytes) == wide);

    // A cut to a field is a start of the text, within the limit, that
    // decodes without a broken character where valid text was cut.
    for (const auto page : {base::CodePage::kUtf8, base::CodePage::kWindows1252}) {
        const std::size_t limit = size > 0 ? data[0] % 48 : 0;
        const auto fitted = base::FitToField(page, bytes, limit);
        FUZZ_CHECK(fitted.size() <= limit && bytes.substr(0, fitted.size()) == fitted);
        FUZZ_CHECK(fitted.size() + (page == base::CodePage::kUtf8 ? 3 : 0) >= std::min(limit, bytes.size()));
        if (page == base::CodePage::kUtf8 && wide.find(kReplacement) == std::wstring::npos)
            FUZZ_CHECK(base::DecodeUtf8(fitted).find(kReplacement) == std::wstring::npos);
    }

    // Printable text has no control character, line separator or bidi control left.
    for (const wchar_t c : base::PrintableText(wide))
        FUZZ_CHECK(!base::IsControlCharacter(static_cast<std::uint32_t>(c)) &&
                   !base::IsInvisibleFormatting(static_cast<std::uint32_t>(c)));
    FUZZ_CHECK(wide.size() <= bytes.size());
    const std::string utf8 = base::EncodeUtf8(wide);
    FUZZ_CHECK(base::DecodeUtf8(utf8) == wide);
    if (wide.find(kReplacement) == std::wstring::npos) FUZZ_CHECK(utf8 == bytes);
    base::EncodeWindows1252(wide);

    // Wide text from anywhere (any wchar_t value) encodes without harm.
    std::wstring anyWide(size / sizeof(wchar_t), L'\0');
    std::memcpy(anyWide.data(), data, anyWide.size() * sizeof(wchar_t));
    const std::wstring back = base::DecodeUtf8(base::EncodeUtf8(anyWide));
    FUZZ_CHECK(back.size() == anyWide.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        const auto c = static_cast<std::uint32_t>(anyWide[i]);
        const bool valid = c <= kLastCodePoint && (c < kFirstSurrogate || c > kLastSurrogate);
        FUZZ_CHECK(back[i] == (valid ? anyWide[i] : kReplacement));
    }
    FUZZ_CHECK(base::EncodeWindows1252(anyWide).size() == anyWide.size());
    return 0;
}
