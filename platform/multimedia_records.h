#pragma once
// Capability records of the multimedia services, as bytes: the waveform
// device records (WAVEINCAPSA 48 bytes, WAVEOUTCAPSA 50 bytes as the caller
// passes them) and the joystick record (JOYCAPSA, 404 bytes). Fields are
// little-endian; szPname is 32 bytes of single-byte text, zero-ended when
// shorter.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/bytes.h"

namespace platform {

// Results of the capability requests (MMRESULT).
inline constexpr std::uint32_t kMmSysErrNoError = 0;
inline constexpr std::uint32_t kMmSysErrBadDeviceId = 2;
inline constexpr std::uint32_t kMmSysErrInvalParam = 11;
inline constexpr std::uint32_t kJoyErrParms = 165;
inline constexpr std::uint32_t kJoyErrUnplugged = 167;

inline constexpr std::size_t kPnameSize = 32;

// The fields the program reads lie at the same place in both wave records.
struct WaveCapsLayout {
    static constexpr std::size_t kInSize = 48;
    static constexpr std::size_t kOutSize = 50;
    static constexpr std::size_t kMid = 0;
    static constexpr std::size_t kPid = 2;
    static constexpr std::size_t kDriverVersion = 4;  // low word: major in its high byte, minor in its low byte
    static constexpr std::size_t kPname = 8;
    static constexpr std::size_t kFormats = 40;
    static constexpr std::size_t kChannels = 44;
};
static_assert(WaveCapsLayout::kPname + kPnameSize + 4 + 2 + 2 == WaveCapsLayout::kInSize);

struct JoyCapsLayout {
    static constexpr std::size_t kSize = 404;
    static constexpr std::size_t kMid = 0;
    static constexpr std::size_t kPid = 2;
    static constexpr std::size_t kPname = 4;
    static constexpr std::size_t kNumButtons = 60;  // after six 32-bit axis limits
    static constexpr std::size_t kNumAxes = 104;
    static constexpr std::size_t kMaxButtons = 108;
    static constexpr std::size_t kRegKey = 112;     // 32 bytes
    static constexpr std::size_t kOemVxd = 144;     // 260 bytes
};
static_assert(JoyCapsLayout::kPname + kPnameSize + 6 * 4 == JoyCapsLayout::kNumButtons);
static_assert(JoyCapsLayout::kOemVxd + 260 == JoyCapsLayout::kSize);

// JOYINFOEX: 52 bytes, thirteen 32-bit fields. The caller sets dwSize and
// dwFlags; the position fields follow. Only the request's result is used:
// JOYERR_UNPLUGGED says the slot is configured but nothing is attached.
struct JoyInfoExLayout {
    static constexpr std::size_t kSize = 52;
    static constexpr std::size_t kDwSize = 0;
    static constexpr std::size_t kDwFlags = 4;
    static constexpr std::size_t kXpos = 8;
    static constexpr std::size_t kButtons = 32;
    static constexpr std::size_t kPov = 40;
    static constexpr std::size_t kReserved2 = 48;
};
static_assert(JoyInfoExLayout::kReserved2 + 4 == JoyInfoExLayout::kSize);
inline constexpr std::uint32_t kJoyReturnAll = 0xFF;  // JOY_RETURNALL: every position field

// The driver version word from a major and a minor number.
constexpr std::uint32_t WaveDriverVersion(std::uint8_t major, std::uint8_t minor) {
    return (static_cast<std::uint32_t>(major) << 8) | minor;
}

// A 32-bit field of a capability record; 0 when the record ends before it.
inline std::uint32_t GetLe32(std::span<const std::uint8_t> record, std::size_t offset) {
    return base::ReadLe32(record, offset).value_or(0);
}
// `name` into the 32-byte field at `offset`: at most 32 bytes, the rest zero.
void PutPname(std::span<std::uint8_t> record, std::size_t offset, std::string_view name);

// Fills a wave record of the caller's size (zeroed first); false when the
// record is too small for the fields.
bool FillWaveCaps(std::span<std::uint8_t> record, std::uint32_t driverVersion, std::string_view name);
bool FillJoyCaps(std::span<std::uint8_t> record, std::string_view name, std::uint32_t buttons, std::uint32_t axes);

}  // namespace platform
