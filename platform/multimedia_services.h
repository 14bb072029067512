#pragma once
// Multimedia: wave input and output devices, and joysticks.
// Every operation of the plain class refuses; a backend overrides those it
// can answer.

namespace platform {

class MultimediaServices {
public:
    virtual ~MultimediaServices() = default;
};

}  // namespace platform
