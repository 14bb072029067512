#include "format/TimeEx.h"

namespace format {

namespace {

std::wstring TwoDigits(int value) {
    return std::wstring(1, static_cast<wchar_t>(L'0' + value / 10)) + static_cast<wchar_t>(L'0' + value % 10);
}

std::wstring SpacePadded(int value) { return value < 10 ? L" " + std::to_wstring(value) : std::to_wstring(value); }

int TwelveHour(int hours) { return hours % 12 == 0 ? 12 : hours % 12; }

}  // namespace

TimeOfDay TimeEx::Convert(std::int64_t seconds) {
    // A negative count would give a negative time of day; wrap it into the day.
    std::int64_t s = seconds % 86400;
    if (s < 0) s += 86400;
    return {static_cast<int>((s / 3600) % 24), static_cast<int>((s % 3600) / 60), static_cast<int>(s % 60)};
}

std::wstring TimeEx::Text(const TimeOfDay& time, std::wstring_view pattern) {
    std::wstring out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        switch (pattern[++i]) {
            case L'H': out += TwoDigits(time.hours); break;
            case L'k': out += SpacePadded(time.hours); break;
            case L'I': out += TwoDigits(TwelveHour(time.hours)); break;
            case L'l': out += SpacePadded(TwelveHour(time.hours)); break;
            case L'M': out += TwoDigits(time.minutes); break;
            case L'S': out += TwoDigits(time.seconds); break;
            case L'p': out += time.hours < 12 ? L"AM" : L"PM"; break;
            case L'T': out += Text(time, L"%H:%M:%S"); break;
            case L'R': out += Text(time, L"%H:%M"); break;
            case L'r': out += Text(time, L"%I:%M:%S %p"); break;
            case L'%': out += L'%'; break;
            default:
                out += L'%';
                out += pattern[i];
        }
    }
    return out;
}

}  // namespace format
