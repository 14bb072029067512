#include "platform/linux/parsers/os_release.h"

#include <limits>

#include "platform/linux/parsers/text_fields.h"

namespace platform::linux_backend {

namespace {

// The leading digits of `text` as a number; moves past them.
std::optional<std::uint32_t> LeadingNumber(std::string_view& text) {
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    const auto value = ParseDecimal(text.substr(0, digits));
    if (!value || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    text.remove_prefix(digits);
    return static_cast<std::uint32_t>(*value);
}

}  // namespace

std::string PrettyName(std::string_view osRelease) {
    const auto values = ParseAssignments(osRelease);
    const auto found = values.find("PRETTY_NAME");
    if (found == values.end() || found->second.empty()) return "Linux";
    return found->second;
}

std::optional<KernelRelease> ParseKernelRelease(std::string_view release) {
    release = Trim(release);
    KernelRelease kernel;
    const auto major = LeadingNumber(release);
    if (!major || release.empty() || release.front() != '.') return std::nullopt;
    release.remove_prefix(1);
    const auto minor = LeadingNumber(release);
    if (!minor) return std::nullopt;
    kernel.major = *major;
    kernel.minor = *minor;
    if (!release.empty() && release.front() == '.') {
        release.remove_prefix(1);
        if (const auto patch = LeadingNumber(release)) kernel.patch = *patch;
    }
    return kernel;
}

}  // namespace platform::linux_backend
