#pragma once
// A number of seconds as a time of day, and its display in the user's
// regional time format.

#include <cstdint>
#include <string>

namespace format {

struct TimeOfDay {
    int hours = 0;  // 0-23
    int minutes = 0;
    int seconds = 0;
    bool operator==(const TimeOfDay&) const = default;
};

class TimeEx {
public:
    // Whole days are dropped: 90061 seconds give 01:01:01.
    static TimeOfDay Convert(std::int64_t seconds);

    // `pattern` is strftime-style: %H %k %I %l %M %S %p %T %R %r %%; any
    // other character is copied.
    static std::wstring Text(const TimeOfDay& time, std::wstring_view pattern);
};

}  // namespace format
