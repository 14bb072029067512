#pragma once
// The system's name (/etc/os-release) and the kernel's release
// (/proc/sys/kernel/osrelease).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::linux_backend {

// PRETTY_NAME, or "Linux" when the file has none, as os-release prescribes.
std::string PrettyName(std::string_view osRelease);

struct KernelRelease {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t patch = 0;  // 0 when the release has no third number
};
// "6.1.0-13-amd64" gives 6, 1, 0. Nothing unless the release starts with
// two dot-separated numbers.
std::optional<KernelRelease> ParseKernelRelease(std::string_view release);

}  // namespace platform::linux_backend
