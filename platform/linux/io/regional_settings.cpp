#include "platform/linux/io/regional_settings.h"

#include <langinfo.h>
#include <locale.h>

#include "base/codepage.h"
#include "platform/linux/io/replies.h"
#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

constexpr std::string_view kDefaultAmPm = "%I:%M:%S %p";
constexpr std::string_view kDefaultTime = "%H:%M:%S";

// Locale texts in a single-byte Latin codeset become UTF-8; UTF-8 stays.
std::string ToUtf8(const char* text, std::string_view codeset) {
    std::string bytes = text ? text : "";
    if (codeset == "UTF-8" || codeset == "ANSI_X3.4-1968") return bytes;
    if (StartsWith(codeset, "ISO-8859-")) {
        std::wstring wide;
        for (char c : bytes) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
        return base::EncodeUtf8(wide);
    }
    return bytes;
}

}  // namespace

std::string ExpandTimeFormat(std::string_view format, std::string_view ampm) {
    std::string out;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out.push_back(format[i]);
            continue;
        }
        char conversion = format[++i];
        if ((conversion == 'E' || conversion == 'O') && i + 1 < format.size()) conversion = format[++i];
        switch (conversion) {
            case 'T': out += "%H:%M:%S"; break;
            case 'R': out += "%H:%M"; break;
            case 'r': out += ExpandTimeFormat(ampm.empty() ? kDefaultAmPm : ampm, kDefaultAmPm); break;
            case 'k': out += "%H"; break;
            case 'l': out += "%I"; break;
            default:
                out.push_back('%');
                out.push_back(conversion);
        }
    }
    return out;
}

Bytes LiveRegionalReply(const std::string& numericLocale, const std::string& timeLocale) {
    locale_t numeric = ::newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, numericLocale.c_str(), nullptr);
    if (!numeric) numeric = ::newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, "C", nullptr);
    locale_t time = ::newlocale(LC_TIME_MASK | LC_CTYPE_MASK, timeLocale.c_str(), nullptr);
    if (!time) time = ::newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "C", nullptr);

    std::string decimal = ".", thousands, format(kDefaultTime);
    if (numeric) {
        const std::string codeset = ::nl_langinfo_l(CODESET, numeric);
        decimal = ToUtf8(::nl_langinfo_l(RADIXCHAR, numeric), codeset);
        thousands = ToUtf8(::nl_langinfo_l(THOUSEP, numeric), codeset);
        ::freelocale(numeric);
    }
    if (time) {
        const std::string codeset = ::nl_langinfo_l(CODESET, time);
        format = ExpandTimeFormat(ToUtf8(::nl_langinfo_l(T_FMT, time), codeset),
                                  ToUtf8(::nl_langinfo_l(T_FMT_AMPM, time), codeset));
        ::freelocale(time);
    }
    Bytes reply = BytesOfText(decimal);
    reply.push_back(0);
    reply.insert(reply.end(), thousands.begin(), thousands.end());
    reply.push_back(0);
    reply.insert(reply.end(), format.begin(), format.end());
    return reply;
}

RegionalSettings RegionalFromReply(const Bytes& reply) {
    const std::string text(reply.begin(), reply.end());
    const auto parts = Split(text, '\0');
    RegionalSettings settings;
    if (parts.size() != 3) return settings;
    if (!parts[0].empty()) settings.decimalSeparator = base::DecodeUtf8(parts[0]);
    if (!parts[1].empty())
        settings.thousandsSeparator = base::DecodeUtf8(parts[1]);
    else
        settings.thousandsSeparator = settings.decimalSeparator == L"," ? L"." : L",";
    if (!parts[2].empty()) settings.timeFormat = base::DecodeUtf8(parts[2]);
    return settings;
}

}  // namespace platform::linux_backend
