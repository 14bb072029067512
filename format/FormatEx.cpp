#include "format/FormatEx.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cwctype>

namespace format {

namespace {

std::wstring Lower(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

std::wstring HexDigits(std::uint32_t value) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return out;
}

}  // namespace

std::wstring FormatEx::FormatHex(std::int32_t number, std::int16_t digits, std::wstring_view delimiter) {
    std::wstring text = HexDigits(static_cast<std::uint32_t>(number));
    if (digits > 0 && text.size() < static_cast<std::size_t>(digits))
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), L'0');
    const std::wstring lower = Lower(delimiter);
    if (lower == L"0x") return std::wstring(delimiter) + text;
    if (lower == L"h") return text + std::wstring(delimiter);
    return text;
}

std::wstring FormatEx::FormatIP4(std::span<const std::uint8_t> buffer) {
    if (buffer.size() < 4) return {};
    return std::to_wstring(buffer[0]) + L"." + std::to_wstring(buffer[1]) + L"." + std::to_wstring(buffer[2]) + L"." +
           std::to_wstring(buffer[3]);
}

std::wstring FormatEx::FormatIP6(std::span<const std::int16_t> buffer) {
    if (buffer.size() < 6) return {};
    std::wstring out;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i) out += L":";
        out += HexDigits(static_cast<std::uint16_t>(buffer[i]));
    }
    return out;
}

std::wstring FormatEx::FormatMAC(std::span<const std::uint8_t> buffer) {
    if (buffer.size() < 6) return {};
    std::wstring out;
    for (std::size_t i = 0; i < 6; ++i) {
        if (i) out += L"-";
        out += FormatHex(buffer[i], 2, L"");
    }
    return out;
}

std::wstring FormatEx::FormatSerialNumber(std::int32_t number) {
    const std::wstring hex = FormatHex(number, 8, L"");
    return hex.substr(0, 4) + L"-" + hex.substr(4, 4);
}

std::wstring FormatEx::FormatMemory(std::int64_t bytes, std::int32_t factor) const {
    double divisor = 0;
    const wchar_t* suffix = L" bytes";
    switch (factor) {
        case kKilobytes: divisor = 1024.0, suffix = L" KB"; break;
        case kMegabytes: divisor = 1048576.0, suffix = L" MB"; break;
        case kGigabytes: divisor = 1073741824.0, suffix = L" GB"; break;
        case kTerabytes: divisor = 1099511627776.0, suffix = L" TB"; break;
        default: break;
    }
    if (divisor == 0) {
        // Whole bytes need no floating point (and keep every digit above 2^53).
        const auto magnitude = bytes < 0 ? 0ull - static_cast<unsigned long long>(bytes) : static_cast<unsigned long long>(bytes);
        const std::wstring digits = std::to_wstring(magnitude);
        std::wstring out;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i && (digits.size() - i) % 3 == 0) out += regional_.thousandsSeparator;
            out += digits[i];
        }
        return (bytes < 0 ? L"-" : L"") + out + suffix;
    }
    return Grouped(std::round(static_cast<double>(bytes) / divisor)) + suffix;
}

std::wstring FormatEx::Grouped(double rounded) const {
    const bool negative = rounded < 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", std::fabs(rounded));
    const std::string digits(buffer);
    std::wstring out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += regional_.thousandsSeparator;
        out += static_cast<wchar_t>(digits[i]);
    }
    return (negative && out != L"0" ? L"-" : L"") + out;
}

std::wstring FormatEx::FormatGeneralNumber(double value) const {
    // to_chars ignores the process's locale; the regional separator is ours to put in.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::wstring out;
    for (const char* p = buffer; p != result.ptr; ++p) {
        if (*p == '.')
            out += regional_.decimalSeparator;
        else
            out += static_cast<wchar_t>(*p);
    }
    return out;
}

}  // namespace format
