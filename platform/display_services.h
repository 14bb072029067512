#pragma once
// Display: the adapters, their monitors and the display modes.
// Every operation of the plain class refuses; a backend overrides those it
// can answer.

namespace platform {

class DisplayServices {
public:
    virtual ~DisplayServices() = default;
};

}  // namespace platform
