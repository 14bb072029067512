#pragma once
// The display: the primary adapter and its first monitor by name, and every
// display mode the adapter offers, the mode (or modes) equal to the screen's
// current settings marked as selected.

#include <cstdint>
#include <string>

#include "collectors/Collection.h"
#include "platform/display_services.h"
#include "platform/machine.h"

namespace collectors {

class DisplayItem {
public:
    std::int16_t ScreenWidth() const { return screenWidth_; }
    std::int16_t ScreenHeight() const { return screenHeight_; }
    std::uint8_t ColorBits() const { return colorBits_; }
    // Hz; monitors run well past 255 Hz (360 and 500 Hz panels), so the
    // field holds 16 bits, as the page and the report print it.
    std::uint16_t RefreshFrequency() const { return refreshFrequency_; }
    bool Selected() const { return selected_; }

private:
    friend class Display;
    std::int16_t screenWidth_ = 0;
    std::int16_t screenHeight_ = 0;
    std::uint8_t colorBits_ = 0;
    std::uint16_t refreshFrequency_ = 0;
    bool selected_ = false;
};

class Display : public Collection<DisplayItem> {
public:
    explicit Display(platform::Machine& machine);

    const std::wstring& Name() const { return name_; }
    const std::wstring& Monitor() const { return monitor_; }

    // The first selected mode, or -1 when none is.
    int SelectedIndex() const;

private:
    std::wstring name_;
    std::wstring monitor_;
};

}  // namespace collectors
