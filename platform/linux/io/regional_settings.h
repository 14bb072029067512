#pragma once
// The user's regional settings from the locale: decimal point, thousands
// separator and time format. The reply of request "regional" on channel
// "locale" holds the locale's own three texts (UTF-8, NUL-separated), so a
// tree gives them back without that locale being installed.

#include <optional>
#include <string>
#include <string_view>

#include "base/bytes.h"
#include "platform/machine.h"

namespace platform::linux_backend {

using base::Bytes;

namespace locale_reply {
inline constexpr std::string_view kChannel = "locale";
inline constexpr std::string_view kRegional = "regional";
}  // namespace locale_reply

// Asks the C library for the locales' texts: the numeric locale's decimal
// point and thousands separator, the time locale's time format with its
// 12-hour pattern expanded. A locale that is not installed counts as "C".
Bytes LiveRegionalReply(const std::string& numericLocale, const std::string& timeLocale);

// The settings from a reply. A locale without a thousands separator (C,
// POSIX) gets the usual English ones.
RegionalSettings RegionalFromReply(const Bytes& reply);

// A time format with the shorthands the formatter does not know written
// out: %T, %R and %r (the locale's 12-hour pattern `ampm`), %k and %l as
// %H and %I; the E and O modifiers are dropped.
std::string ExpandTimeFormat(std::string_view format, std::string_view ampm);

}  // namespace platform::linux_backend
