#include "platform/display_records.h"

#include <algorithm>

#include "base/bytes.h"
#include "base/codepage.h"

namespace platform::display {

namespace {

void PutText(std::span<std::uint8_t> record, std::size_t offset, std::size_t length, std::string_view text,
             base::CodePage page) {
    const auto field = record.subspan(offset, length);
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    const auto fitted = base::FitToField(page, text, length - 1);
    std::copy(fitted.begin(), fitted.end(), field.begin());
}

}  // namespace

bool FillDisplayDevice(std::span<std::uint8_t> record, std::string_view name, std::string_view description,
                       std::uint32_t stateFlags, base::CodePage page) {
    if (record.size() < DisplayDeviceLayout::kSize) return false;
    PutText(record, DisplayDeviceLayout::kDeviceName, DisplayDeviceLayout::kDeviceNameLength, name, page);
    PutText(record, DisplayDeviceLayout::kDeviceString, DisplayDeviceLayout::kDeviceStringLength, description, page);
    base::WriteLe32(record, DisplayDeviceLayout::kStateFlags, stateFlags);
    return true;
}

bool FillDevMode(std::span<std::uint8_t> record, const ModeFields& mode) {
    if (record.size() < DevModeLayout::kSize) return false;
    base::WriteLe16(record, DevModeLayout::kSpecVersion, kDevModeVersion);
    base::WriteLe32(record, DevModeLayout::kFields, kModeFields);
    base::WriteLe32(record, DevModeLayout::kBitsPerPel, mode.bitsPerPel);
    base::WriteLe32(record, DevModeLayout::kPelsWidth, mode.width);
    base::WriteLe32(record, DevModeLayout::kPelsHeight, mode.height);
    base::WriteLe32(record, DevModeLayout::kDisplayFlags, 0);
    base::WriteLe32(record, DevModeLayout::kDisplayFrequency, mode.frequency);
    return true;
}

}  // namespace platform::display
