#pragma once
// Multimedia: wave input and output devices, and joysticks.
// Every operation of the plain class refuses; a backend overrides those it
// can answer. Capability records travel as bytes in the caller's buffer,
// laid out as in platform/multimedia_records.h.

#include <cstdint>
#include <span>

#include "platform/multimedia_records.h"

namespace platform {

class MultimediaServices {
public:
    virtual ~MultimediaServices() = default;

    // waveInGetNumDevs: the number of waveform input devices.
    virtual std::uint32_t waveInGetNumDevs() { return 0; }
    // waveInGetDevCaps: fills the WAVEINCAPSA record (48 bytes) of device
    // `device`; kMmSysErrNoError on success.
    virtual std::uint32_t waveInGetDevCaps(std::uint32_t, std::span<std::uint8_t>) { return kMmSysErrBadDeviceId; }
    virtual std::uint32_t waveOutGetNumDevs() { return 0; }
    // waveOutGetDevCaps: the WAVEOUTCAPSA record as the caller passes it (50 bytes).
    virtual std::uint32_t waveOutGetDevCaps(std::uint32_t, std::span<std::uint8_t>) { return kMmSysErrBadDeviceId; }
    // joyGetNumDevs: the number of joystick slots the driver supports.
    virtual std::uint32_t joyGetNumDevs() { return 0; }
    // joyGetDevCaps: fills the JOYCAPSA record (404 bytes) of slot `joystick`.
    virtual std::uint32_t joyGetDevCaps(std::uint32_t, std::span<std::uint8_t>) { return kJoyErrParms; }
    // joyGetPosEx: the position of slot `joystick` into the JOYINFOEX record
    // (52 bytes, dwSize and dwFlags set by the caller); kJoyErrUnplugged when
    // the slot answers its capabilities but no joystick is attached.
    virtual std::uint32_t joyGetPosEx(std::uint32_t, std::span<std::uint8_t>) { return kJoyErrParms; }
};

}  // namespace platform
