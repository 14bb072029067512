#include "platform/multimedia_records.h"

#include <algorithm>

namespace platform {

void PutPname(std::span<std::uint8_t> record, std::size_t offset, std::string_view name) {
    const auto field = record.subspan(offset, kPnameSize);
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    const std::size_t length = std::min(name.size(), kPnameSize);
    std::copy_n(name.begin(), length, field.begin());
}

bool FillWaveCaps(std::span<std::uint8_t> record, std::uint32_t driverVersion, std::string_view name) {
    if (record.size() < WaveCapsLayout::kInSize) return false;
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    base::WriteLe32(record, WaveCapsLayout::kDriverVersion, driverVersion);
    PutPname(record, WaveCapsLayout::kPname, name);
    return true;
}

bool FillJoyCaps(std::span<std::uint8_t> record, std::string_view name, std::uint32_t buttons, std::uint32_t axes) {
    if (record.size() < JoyCapsLayout::kSize) return false;
    std::fill(record.begin(), record.end(), std::uint8_t{0});
    PutPname(record, JoyCapsLayout::kPname, name);
    base::WriteLe32(record, JoyCapsLayout::kNumButtons, buttons);
    base::WriteLe32(record, JoyCapsLayout::kNumAxes, axes);
    base::WriteLe32(record, JoyCapsLayout::kMaxButtons, buttons);
    return true;
}

}  // namespace platform
