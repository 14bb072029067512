#include "platform/display_records.h"

#include <algorithm>

#include "base/bytes.h"

namespace platform::display {

namespace {

void PutText(std::span<std::uint8_t> record, std::size_t offset, std::size_t length, std::string_view text) {
    const auto field = record.subspan(offset, length);
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    std::copy_n(text.begin(), std::min(text.size(), length - 1), field.begin());
}

}  // namespace

bool FillDisplayDevice(std::span<std::uint8_t> record, std::string_view name, std::string_view description,
                       std::uint32_t stateFlags) {
    using L = DisplayDeviceLayout;
    if (record.size() < L::kSize) return false;
    PutText(record, L::kDeviceName, L::kDeviceNameLength, name);
    PutText(record, L::kDeviceString, L::kDeviceStringLength, description);
    base::WriteLe32(record, L::kStateFlags, stateFlags);
    return true;
}

bool FillDevMode(std::span<std::uint8_t> record, const ModeFields& mode) {
    using L = DevModeLayout;
    if (record.size() < L::kSize) return false;
    base::WriteLe16(record, L::kSpecVersion, kDevModeVersion);
    base::WriteLe32(record, L::kFields, kModeFields);
    base::WriteLe32(record, L::kBitsPerPel, mode.bitsPerPel);
    base::WriteLe32(record, L::kPelsWidth, mode.width);
    base::WriteLe32(record, L::kPelsHeight, mode.height);
    base::WriteLe32(record, L::kDisplayFlags, 0);
    base::WriteLe32(record, L::kDisplayFrequency, mode.frequency);
    return true;
}

}  // namespace platform::display
