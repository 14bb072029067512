// The capability requests of winmm: each record is the system's own, its
// bytes handed over as far as the caller's record reaches.

#include "platform/win32/windows_multimedia.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/win32_api.h"

namespace platform::win32 {

namespace {

static_assert(offsetof(WAVEINCAPSA, wChannels) == WaveCapsLayout::kChannels);
static_assert(offsetof(WAVEOUTCAPSA, wChannels) == WaveCapsLayout::kChannels);
static_assert(sizeof(JOYCAPSA) == JoyCapsLayout::kSize);
static_assert(sizeof(JOYINFOEX) == JoyInfoExLayout::kSize);
static_assert(offsetof(JOYINFOEX, dwButtons) == JoyInfoExLayout::kButtons);

template <typename Record, typename Ask>
std::uint32_t Capabilities(std::span<std::uint8_t> out, Ask ask) {
    Record record{};
    const MMRESULT result = ask(&record, static_cast<UINT>(sizeof record));
    if (result == MMSYSERR_NOERROR) std::memcpy(out.data(), &record, std::min(out.size(), sizeof record));
    return result;
}

}  // namespace

std::uint32_t WindowsMultimedia::waveInGetNumDevs() { return ::waveInGetNumDevs(); }

std::uint32_t WindowsMultimedia::waveInGetDevCaps(std::uint32_t device, std::span<std::uint8_t> record) {
    return Capabilities<WAVEINCAPSA>(record, [&](WAVEINCAPSA* caps, UINT size) { return ::waveInGetDevCapsA(device, caps, size); });
}

std::uint32_t WindowsMultimedia::waveOutGetNumDevs() { return ::waveOutGetNumDevs(); }

std::uint32_t WindowsMultimedia::waveOutGetDevCaps(std::uint32_t device, std::span<std::uint8_t> record) {
    return Capabilities<WAVEOUTCAPSA>(record, [&](WAVEOUTCAPSA* caps, UINT size) { return ::waveOutGetDevCapsA(device, caps, size); });
}

std::uint32_t WindowsMultimedia::joyGetNumDevs() { return ::joyGetNumDevs(); }

std::uint32_t WindowsMultimedia::joyGetDevCaps(std::uint32_t joystick, std::span<std::uint8_t> record) {
    return Capabilities<JOYCAPSA>(record, [&](JOYCAPSA* caps, UINT size) { return ::joyGetDevCapsA(joystick, caps, size); });
}

std::uint32_t WindowsMultimedia::joyGetPosEx(std::uint32_t joystick, std::span<std::uint8_t> record) {
    if (record.size() < JoyInfoExLayout::kSize) return kJoyErrParms;
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = GetLe32(record, JoyInfoExLayout::kDwFlags);
    const MMRESULT result = ::joyGetPosEx(joystick, &info);
    if (result == JOYERR_NOERROR) std::memcpy(record.data(), &info, sizeof info);
    return result;
}

}  // namespace platform::win32
