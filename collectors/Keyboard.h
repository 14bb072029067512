#pragma once
// The keyboard: type, layout, repeat settings and the three lock keys.

#include <cstdint>
#include <string>

#include "platform/machine.h"

namespace collectors {

class Keyboard {
public:
    explicit Keyboard(platform::Machine& machine);

    // Re-reads the three lock states only.
    void Refresh();
    // True while Tab is held down; asked anew on every call.
    bool IsTabKey() const;

    const std::wstring& KeyboardType() const { return keyboardType_; }
    std::uint8_t FunctionKeys() const { return functionKeys_; }
    const std::wstring& LayoutID() const { return layoutID_; }
    std::uint8_t RepeatDelay() const { return repeatDelay_; }  // setting 0-3
    std::uint8_t RepeatSpeed() const { return repeatSpeed_; }  // setting 0-31
    // Whether the machine gave the settings at all (a console without a
    // display server has none): the settings' initial 0 is no reading.
    bool RepeatDelayReported() const { return repeatDelayReported_; }
    bool RepeatSpeedReported() const { return repeatSpeedReported_; }
    bool CapsLockStatus() const { return capsLock_; }
    bool NumLockStatus() const { return numLock_; }
    bool ScrollLockStatus() const { return scrollLock_; }

    // The settings in real milliseconds: the wait before the first repeat,
    // (setting + 1) x 250 ms, and the time between two repeats at
    // 2.5 + setting x 27.5 / 31 repeats per second.
    static int RepeatDelayMilliseconds(std::uint8_t setting);
    static int RepeatIntervalMilliseconds(std::uint8_t setting);

    static std::wstring KeyboardTypeName(int code);

private:
    bool Toggled(int virtualKey) const;

    platform::Machine& machine_;
    std::wstring keyboardType_;
    std::uint8_t functionKeys_ = 0;
    std::wstring layoutID_;
    std::uint8_t repeatDelay_ = 0;
    std::uint8_t repeatSpeed_ = 0;
    bool repeatDelayReported_ = false;
    bool repeatSpeedReported_ = false;
    bool capsLock_ = false;
    bool numLock_ = false;
    bool scrollLock_ = false;
};

}  // namespace collectors
