#pragma once
// USB: device setup (the device list and its properties) and the hubs.
// Every operation of the plain class refuses; a backend overrides those it
// can answer.

namespace platform {

class UsbServices {
public:
    virtual ~UsbServices() = default;
};

}  // namespace platform
